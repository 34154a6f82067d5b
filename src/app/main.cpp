// pictorra: the image editor's windows.
#include <QApplication>

#include "app/PictorraApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    CPictorraApp app;
    if (!app.InitInstance(QApplication::arguments())) {
        return 1;
    }
    const int result = QApplication::exec();
    const int code = app.ExitInstance();
    return result != 0 ? result : code;
}

// The main of the window tests: a QApplication on the offscreen platform and FreeImage started.
#include <gtest/gtest.h>

#include <QApplication>

#include "files/FreeImageLibrary.h"

namespace {
// The offscreen platform tells about every window feature it lacks; that says nothing about
// the program.
QtMessageHandler g_defaultHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    g_defaultHandler(type, context, text);
}
}  // namespace

int main(int argc, char** argv) {
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    CFreeImageLibrary freeImage;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The main of every test program: a QGuiApplication on the offscreen platform (painting and
// fonts need one) and FreeImage started.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "files/FreeImageLibrary.h"
#include "support/LimitedChild.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    CFreeImageLibrary freeImage;
    if (const std::optional<int> status = RunChildScenarioIfAsked(argc, argv)) {
        return *status;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

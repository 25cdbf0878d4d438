#include <QApplication>
#include <gtest/gtest.h>

#include "qt/application.h"

int main(int argc, char* argv[]) {
    // Test discovery runs the program outside CTest's environment, where there may be no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qt::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

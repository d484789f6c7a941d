// The widget tests need one QApplication for the whole run. They run
// offscreen on a 1280 x 800 screen unless told otherwise, also when the test
// runner merely lists them.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", FENMARK_UI_TEST_PLATFORM);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

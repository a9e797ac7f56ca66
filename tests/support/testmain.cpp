#include <QApplication>
#include <gtest/gtest.h>

// Every test program gets a QApplication: widget tests need one, the rest do not mind it. Tests
// draw offscreen unless told otherwise, so they never depend on a display.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

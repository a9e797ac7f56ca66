// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#ifdef TREK_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// Widget tests get a QApplication and draw offscreen unless told otherwise, so they never depend
// on a display; every other test runs where the command-line tool runs, on Qt Core alone.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

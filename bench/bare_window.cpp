// SPDX-License-Identifier: GPL-3.0-or-later
// The anchor of the start-up benchmark: the least a Qt program with a window does, built with the
// same compiler and options as ours. It prints the moment of its first frame and quits.

#include "widgets/firstframe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(640, 480);
    (void)new trek::FirstFrameWatch(window, [] {
        trek::PrintFirstFrameStamp();
        QCoreApplication::quit();
    });
    window.show();
    return QApplication::exec();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: draws the program's SVG icon as a square PNG of the sizes desktops look up in the
// hicolor theme. It reads the picture with the same SVG plugin the window uses, so the installed
// icons match what the window shows.

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QStringList>
#include <cstdio>

int main(int argc, char** argv)
{
    const QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool sideOk = false;
    const int side = arguments.size() == 4 ? arguments.at(2).toInt(&sideOk) : 0;
    if (!sideOk || side <= 0) {
        (void)std::fputs("usage: trek_iconrender ICON.svg SIDE OUT.png\n", stderr);
        return 2;
    }
    QImageReader reader(arguments.at(1));
    reader.setScaledSize(QSize(side, side));
    const QImage image = reader.read();
    if (image.isNull()) {
        (void)std::fprintf(stderr, "trek_iconrender: %s: %s\n", qUtf8Printable(arguments.at(1)),
                           qUtf8Printable(reader.errorString()));
        return 1;
    }
    if (!image.save(arguments.at(3), "PNG")) {
        (void)std::fprintf(stderr, "trek_iconrender: cannot write %s\n",
                           qUtf8Printable(arguments.at(3)));
        return 1;
    }
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/windowshot.h"

#include <QBuffer>
#include <QPixmap>
#include <QWidget>

namespace trek {

Result<> SaveWindowShot(QWidget& window, const QString& path)
{
    const QPixmap picture = window.grab();
    if (picture.isNull()) {
        return fail(QStringLiteral("The window could not be drawn."));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return fail(QStringLiteral("The picture could not be encoded."));
    }
    return platform::writeFileAtomically(path, png);
}

} // namespace trek

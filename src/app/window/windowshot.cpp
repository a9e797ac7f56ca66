#include "app/window/windowshot.h"

#include <QBuffer>
#include <QPixmap>
#include <QWidget>

namespace trek {

platform::FileResult SaveWindowShot(QWidget& window, const QString& path)
{
    const QPixmap picture = window.grab();
    if (picture.isNull()) {
        return platform::FileResult::failure(QStringLiteral("The window could not be drawn."));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return platform::FileResult::failure(QStringLiteral("The picture could not be encoded."));
    }
    return platform::writeFileAtomically(path, png);
}

} // namespace trek

#include "platform/sim/collectedmark.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

namespace trek::platform {

namespace {

QByteArray Fingerprint(const QByteArray& image)
{
    return QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();
}

} // namespace

QString collectedMarkPath(const QString& imagePath)
{
    return imagePath + QStringLiteral(".collected");
}

bool isMarkedCollected(const QString& imagePath, const QByteArray& image)
{
    QFile mark(collectedMarkPath(imagePath));
    if (!mark.open(QIODevice::ReadOnly)) {
        return false;
    }
    return mark.read(128).trimmed() == Fingerprint(image);
}

Result<> markCollected(const QString& imagePath, const QByteArray& image)
{
    // The mark belongs to a test image, not to the user's data: Qt's save file (a temporary
    // renamed into place) is atomic enough.
    QSaveFile mark(collectedMarkPath(imagePath));
    if (!mark.open(QIODevice::WriteOnly) || mark.write(Fingerprint(image) + '\n') < 0 ||
        !mark.commit()) {
        return fail(QStringLiteral("The collected mark %1 cannot be written: %2")
                        .arg(mark.fileName(), mark.errorString()));
    }
    return {};
}

} // namespace trek::platform

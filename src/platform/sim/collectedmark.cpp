#include "platform/sim/collectedmark.h"

#include "platform/atomicfile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtDebug>

namespace trek::platform {

namespace {

QByteArray Fingerprint(const QByteArray& image)
{
    return QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();
}

} // namespace

QString CollectedMarkPath(const QString& imagePath)
{
    return imagePath + QStringLiteral(".collected");
}

bool IsMarkedCollected(const QString& imagePath, const QByteArray& image)
{
    QFile mark(CollectedMarkPath(imagePath));
    if (!mark.open(QIODevice::ReadOnly)) {
        return false;
    }
    return mark.read(128).trimmed() == Fingerprint(image);
}

void MarkCollected(const QString& imagePath, const QByteArray& image)
{
    const Result<> written =
        writeFileAtomically(CollectedMarkPath(imagePath), QByteArray(Fingerprint(image) + '\n'));
    if (!written) {
        // Only the next run is affected: it offers the same records again.
        qWarning().noquote() << written.error();
    }
}

} // namespace trek::platform

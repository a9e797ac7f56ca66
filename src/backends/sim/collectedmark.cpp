// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/collectedmark.h"

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

#include <QCryptographicHash>

namespace trek::platform {

namespace {

// A fingerprint and a line end; anything much larger is no mark of ours.
constexpr qint64 MaxMarkSize = 128;

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
    const Result<QByteArray> mark = readRegularFile(collectedMarkPath(imagePath), MaxMarkSize);
    return mark && mark->trimmed() == Fingerprint(image);
}

Result<> markCollected(const QString& imagePath, const QByteArray& image)
{
    const QByteArray mark = Fingerprint(image) + '\n';
    if (Result<> written = writeFileAtomically(collectedMarkPath(imagePath), mark); !written) {
        return fail(
            QStringLiteral("The collected mark cannot be written: %1").arg(written.error()));
    }
    return {};
}

} // namespace trek::platform

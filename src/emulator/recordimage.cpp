// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/recordimage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace trek::emu {

LoadedImage LoadRecordImage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{},
                QStringLiteral("Cannot open the record image %1: %2.")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    }
    if (file.size() > MaxImageSize) {
        return {{},
                QStringLiteral("The record image %1 is too large (%2 bytes) to be a wristband's "
                               "memory.")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(file.size())};
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {{},
                QStringLiteral("Cannot read the record image %1: %2.")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    }
    return {bytes, {}};
}

QString SaveRecordImage(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("Cannot create %1: %2.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return QStringLiteral("Cannot write %1: %2.")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    }
    return {};
}

int BlockCount(const QByteArray& image)
{
    return static_cast<int>((image.size() + RecordBlockSize - 1) / RecordBlockSize);
}

QByteArray ImageBlock(const QByteArray& image, int index)
{
    QByteArray block(RecordBlockSize, '\0');
    const qsizetype offset = qsizetype{index} * RecordBlockSize;
    if (index >= 0 && offset < image.size()) {
        const qsizetype count = std::min<qsizetype>(RecordBlockSize, image.size() - offset);
        std::copy_n(image.constData() + offset, count, block.data());
    }
    return block;
}

} // namespace trek::emu

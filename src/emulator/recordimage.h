// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace trek::emu {

inline constexpr int RecordBlockSize = 512;

// A record image as the emulator keeps it: raw 512-byte blocks (K7: block n at offset 512 n;
// K9E: the stream's blocks in order). A short last block reads as if padded with zeros.
struct LoadedImage
{
    QByteArray bytes;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Largest image accepted: far beyond what either model can address, small enough to hold.
inline constexpr qint64 MaxImageSize = qint64{16} * 1024 * 1024;

LoadedImage LoadRecordImage(const QString& path);
// Replaces `path` whole or not at all; the error sentence, or empty on success.
QString SaveRecordImage(const QString& path, const QByteArray& bytes);

int BlockCount(const QByteArray& image);
// Block `index` of the image, zeros where the image ends.
QByteArray ImageBlock(const QByteArray& image, int index);

} // namespace trek::emu

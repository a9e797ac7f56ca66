// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/filemodelprobe.h"

#include "device/rootfiles.h"
#include "platform/regularfile.h"

#include <QDir>

namespace trek {

namespace {

constexpr int DayFileNameLength = 12;
// The marker holds a few dozen bytes at most; its content is never looked at.
constexpr qint64 MaxMarkerFileSize = 1 << 16;

QStringList dayFileNames(const QDir& root, const QString& pattern)
{
    // Without QDir::CaseSensitive the pattern matches as on the FAT disk: "*.txt" finds "X.TXT".
    QStringList names =
        root.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf([](const QString& name) { return name.size() != DayFileNameLength; });
    return names;
}

} // namespace

FileModelEvidence ProbeFileModel(const QString& root)
{
    if (root.isEmpty()) {
        return FileModelEvidence::None;
    }
    const QDir dir(root);
    if (!dayFileNames(dir, QStringLiteral("*.txt")).isEmpty()) {
        return FileModelEvidence::TextDayFile;
    }
    if (!dayFileNames(dir, QStringLiteral("*.KDX")).isEmpty()) {
        return FileModelEvidence::MinuteDayFile;
    }
    // A marker counts when it can be read; a FIFO under its name is refused without waiting.
    const QString marker = RootFilePath(root, QStringLiteral("USBWATCH.DAT"));
    return platform::readRegularFile(marker, MaxMarkerFileSize).ok() ? FileModelEvidence::MarkerFile
                                                                     : FileModelEvidence::None;
}

QStringList DayFileNames(const QString& root)
{
    if (root.isEmpty()) {
        return {};
    }
    const QDir dir(root);
    return dayFileNames(dir, QStringLiteral("*.txt")) + dayFileNames(dir, QStringLiteral("*.KDX"));
}

} // namespace trek

#include "device/filemodelprobe.h"

#include "device/rootfiles.h"
#include "platform/regularfile.h"

#include <QDir>
#include <algorithm>

namespace trek {

namespace {

constexpr int DayFileNameLength = 12;
// The marker holds a few dozen bytes at most; its content is never looked at.
constexpr qint64 MaxMarkerFileSize = 1 << 16;

bool hasDayFile(const QDir& root, const QString& pattern)
{
    // Without QDir::CaseSensitive the pattern matches as on the FAT disk: "*.txt" finds "X.TXT".
    const QStringList names =
        root.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    return std::any_of(names.begin(), names.end(),
                       [](const QString& name) { return name.size() == DayFileNameLength; });
}

} // namespace

FileModelEvidence ProbeFileModel(const QString& root)
{
    if (root.isEmpty()) {
        return FileModelEvidence::None;
    }
    const QDir dir(root);
    if (hasDayFile(dir, QStringLiteral("*.txt"))) {
        return FileModelEvidence::TextDayFile;
    }
    if (hasDayFile(dir, QStringLiteral("*.KDX"))) {
        return FileModelEvidence::MinuteDayFile;
    }
    // A marker counts when it can be read; a FIFO under its name is refused without waiting.
    const QString marker = RootFilePath(root, QStringLiteral("USBWATCH.DAT"));
    return platform::readRegularFile(marker, MaxMarkerFileSize).ok() ? FileModelEvidence::MarkerFile
                                                                     : FileModelEvidence::None;
}

} // namespace trek

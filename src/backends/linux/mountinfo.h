// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <vector>

namespace trek::platform {

// One line of /proc/<pid>/mountinfo, with the octal escapes of its path fields undone.
struct MountEntry
{
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    QString root;       // folder of the file system that is mounted here ("/" for the whole)
    QString mountPoint; // where it is mounted
    QString fsType;
    QString source;
};

// Lines that do not have the documented shape are skipped rather than guessed at.
std::vector<MountEntry> parseMountInfo(const QByteArray& text);

// The kernel writes blank, tab, newline and backslash in paths as \040 \011 \012 \134.
QByteArray unescapeMountField(QByteArrayView field);

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace trek {

// What the root folder of a removable drive says about a file-model wristband.
enum class FileModelEvidence {
    None,          // not a wristband
    TextDayFile,   // a "*.txt" day file: data kind 0
    MinuteDayFile, // a "*.KDX" day file: data kind 1
    MarkerFile,    // only the USBWATCH.DAT marker
};

// Day files are named after their day with exactly 12 characters ("20260314.txt"); other text
// files on an ordinary flash disk do not count. Text day files win over KDX ones.
FileModelEvidence ProbeFileModel(const QString& root);

// Names of the day files in `root`, text files first.
QStringList DayFileNames(const QString& root);

} // namespace trek

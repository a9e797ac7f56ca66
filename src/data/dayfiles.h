// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

struct CollectionReport;

// Day files of a file-model wristband.

// Takes every day file off the wristband's disk, text files first, then KDX files; each is copied
// to the raw copies, merged into the store and, once its steps and the counters are on disk,
// deleted from the wristband. Answers the number of files imported; failures are told to the
// user and kept in `report`.
int CopyDayFiles(char letter, CollectionReport& report);

// "<working folder>/Trekkomat2/<name>-NNN" with the smallest NNN from 1 to 99 not taken yet;
// when all are taken, 99 is reused.
QString RawCopyPath(const QString& workingFolder, const QString& name);

} // namespace trek

#pragma once

#include <QString>

namespace trek {

// Day files of a file-model wristband.

// Takes every day file off the wristband's disk, text files first, then KDX files; each is copied
// to the raw copies, merged into the store and, once its steps and the counters are on disk,
// deleted from the wristband. Answers the number of files imported.
int CopyDayFiles(char letter);

// Merge one raw copy into the store; the date comes from the day file's own `name`. False, with
// the reason in `reason` when given, when nothing was stored.
bool ImportTextDayFile(const QString& copyPath, const QString& name, QString* reason = nullptr);
bool ImportKdxDayFile(const QString& copyPath, const QString& name, QString* reason = nullptr);

// "<working folder>/Trekkomat2/<name>-NNN" with the smallest NNN from 1 to 99 not taken yet;
// when all are taken, 99 is reused.
QString RawCopyPath(const QString& workingFolder, const QString& name);

} // namespace trek

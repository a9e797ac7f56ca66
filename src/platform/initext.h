#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace trek::platform {

// The text of a profile ("INI") file, read and edited the way the profile functions do it:
// sections and keys match without regard to case, blanks around names and values do not count,
// and an edit changes one line (or adds one) while every other byte of the file stays as it was.
// The file is UTF-8; lines end in "\n" or "\r\n" and keep their ending.

// Value of `key` in the first section named `section`; nothing when either is missing.
std::optional<QString> findIniValue(const QByteArray& text, const QString& section,
                                    const QString& key);

// Why a name or value cannot go into a profile file, or an empty string when it can. A line
// break would split the entry and plant a line of its own; '=' in a key or ']' in a section
// name would be read back as something else.
QString iniEntryProblem(const QString& section, const QString& key, const QString& value);

// `text` with `key` in `section` set to `value`: replaced in place, appended to its section, or
// added at the end in a new section. The entry must pass iniEntryProblem().
QByteArray setIniValue(const QByteArray& text, const QString& section, const QString& key,
                       const QString& value);

// Integer reading of a profile value: blanks, an optional sign, then the leading decimal digits;
// no digits give 0. Digits beyond 32 bits wrap, as the 32-bit reading they stand for does.
int profileIntFromText(const QString& text);

} // namespace trek::platform

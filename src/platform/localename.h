// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek::platform {

// Three-letter abbreviated language name for a POSIX locale name such as "zh_CN.UTF-8" or
// "en_GB@euro": "CHS" for Simplified Chinese, "CHT" for Traditional Chinese (Taiwan, Hong Kong,
// Macau or the Hant script), "ENU" for English and for the C/POSIX locale, and for other
// languages the upper-case ISO 639-2 code ("DEU", "FRA", "JPN").
QString localeAbbreviationFor(const QString& posixLocale);

// The locale that a shell-style file of assignments such as /etc/default/locale sets for
// messages: LC_ALL, else LC_MESSAGES, else LANG, the first one with a value. Quotes, "export"
// and comments are understood; empty when none is set.
QString messageLocaleFromAssignments(const QByteArray& text);

} // namespace trek::platform

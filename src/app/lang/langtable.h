// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

enum class Language { English = 0, TraditionalChinese = 1, SimplifiedChinese = 2 };

inline constexpr int LangRowCount = 163;

// Text of `row` in the given language index (1 Traditional, 2 Simplified, anything else English).
QString GetLangText(int row, int languageIndex);
// Language index a system with this abbreviated locale name starts in when the settings file
// holds no "Language": 2 for "CHS", 1 for "CHT", else 0.
int DefaultLanguageForLocale(const QString& abbreviation);
// First row of the four unit labels (kilogram, centimetre, metre, kilometre) for a language.
int UnitBlockRow(int languageIndex);

} // namespace trek

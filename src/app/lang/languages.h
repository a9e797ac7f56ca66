// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/textrows.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace trek {

// Everything the program knows of one interface language. Whoever needs to tell languages apart
// reads it here rather than naming a language.
struct Language
{
    // Its "Language" value in the settings file, and its column in the text table.
    int index = 0;
    // Names its controls ("<code>Radio") and its badge, resources/pictures/language_<code>.svg.
    QStringView code;
    // The name it gives itself, beside its badge and for screen readers.
    QStringView ownName;
    // Its word for trekkomat-cli's --language.
    QStringView cliWord;
    // A system whose abbreviated locale name starts with these three letters starts in it while
    // the settings file names no language; empty for none.
    QStringView localeAbbreviation = {};
    // Its calendars' locale: month and weekday names, the first day of the week.
    QLocale::Language localeLanguage = QLocale::AnyLanguage;
    QLocale::Script localeScript = QLocale::AnyScript;
    QLocale::Territory localeTerritory = QLocale::AnyTerritory;
    // Qt's catalogue of its own texts (the standard buttons); empty where Qt's English serves.
    QStringView qtCatalogue = {};
    // The first of the four unit words (kilogram, centimetre, metre, kilometre) it labels with.
    TextRow unitBlock = TextRow::Kilogram;

    QLocale locale() const { return QLocale(localeLanguage, localeScript, localeTerritory); }
};

// A new language is a row here, its column in langrows.cpp and its badge picture. In settings
// order: the index is the position, and the first row is what any other stored value means.
inline constexpr std::array Languages{
    Language{
        .index = 0,
        .code = u"english",
        .ownName = u"English",
        .cliWord = u"en",
        .localeLanguage = QLocale::English,
        .localeTerritory = QLocale::UnitedStates,
        .unitBlock = TextRow::Kilogram,
    },
    Language{
        .index = 1,
        .code = u"traditional",
        .ownName = u"繁體中文",
        .cliWord = u"cht",
        .localeAbbreviation = u"CHT",
        .localeLanguage = QLocale::Chinese,
        .localeScript = QLocale::TraditionalHanScript,
        .localeTerritory = QLocale::Taiwan,
        .qtCatalogue = u"qtbase_zh_TW",
        .unitBlock = TextRow::Kilogram,
    },
    Language{
        .index = 2,
        .code = u"simplified",
        .ownName = u"简体中文",
        .cliWord = u"chs",
        .localeAbbreviation = u"CHS",
        .localeLanguage = QLocale::Chinese,
        .localeScript = QLocale::SimplifiedHanScript,
        .localeTerritory = QLocale::China,
        .qtCatalogue = u"qtbase_zh_CN",
        // Mainland readers expect 千克 / 厘米 rather than the 公斤 / 公分 of the first block.
        .unitBlock = TextRow::SimplifiedKilogram,
    },
};

inline constexpr int LanguageCount = static_cast<int>(Languages.size());

// The language a stored index stands for: one no language has (old, hand-edited, negative) means
// the first, English.
const Language& LanguageAt(int index);

// Index of the language a system with this abbreviated locale name starts in when the settings
// file holds no "Language": the one whose abbreviation the name starts with, else the first.
int DefaultLanguageForLocale(const QString& abbreviation);

// The command line's language words, in settings order, and the language of one of them (the
// first for a word no language has).
QStringList LanguageCliWords();
const Language& LanguageForCliWord(QStringView word);

} // namespace trek

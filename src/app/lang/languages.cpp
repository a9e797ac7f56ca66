// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/languages.h"

#include <algorithm>

namespace trek {

namespace {

constexpr bool IndexedByPosition()
{
    for (int at = 0; at < LanguageCount; ++at) {
        if (Languages.at(static_cast<std::size_t>(at)).index != at) {
            return false;
        }
    }
    return true;
}

// The settings file stores the index and the text table finds a language's column by it.
static_assert(IndexedByPosition(), "a language's index must be its position in Languages");

} // namespace

const Language& LanguageAt(int index)
{
    return index >= 0 && index < LanguageCount ? Languages.at(static_cast<std::size_t>(index))
                                               : Languages.front();
}

int DefaultLanguageForLocale(const QString& abbreviation)
{
    // Only the first three letters count: the system may append a variant letter.
    const QStringView prefix = QStringView(abbreviation).left(3);
    const auto found = std::find_if(Languages.begin(), Languages.end(), [&](const Language& l) {
        return !l.localeAbbreviation.isEmpty() && l.localeAbbreviation == prefix;
    });
    return found != Languages.end() ? found->index : Languages.front().index;
}

QStringList LanguageCliWords()
{
    QStringList words;
    for (const Language& language : Languages) {
        words << language.cliWord.toString();
    }
    return words;
}

const Language& LanguageForCliWord(QStringView word)
{
    const auto found = std::find_if(Languages.begin(), Languages.end(),
                                    [&](const Language& l) { return l.cliWord == word; });
    return found != Languages.end() ? *found : Languages.front();
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace trek {

// What one action on the user options changes; the options left empty stay as they are.
struct UserOptionChange
{
    std::optional<int> language; // a Language's index
    std::optional<int> unitMode; // 0 metric, anything else imperial
    std::optional<bool> enableUpgrade;
    std::optional<bool> autoConfirm;
    std::optional<int> slightMoving; // steps per minute
};

// Writes every option of `change` in one replacement of the settings file, and only then takes
// them into appState(): a failed write changes nothing and says why. A new slight-movement
// threshold empties the report cache, since every report drawn with the old one is stale.
[[nodiscard]] Result<> ChangeUserOptions(const UserOptionChange& change);

// The threshold as a person types it: a decimal whole number, maybe signed, with blanks around
// it, that fits 32 bits and is not negative. Anything else is refused with the reason.
Result<int> ParseSlightMoving(const QString& text);

// One line of the options page: a caption, its value, and the unit after the value if any.
struct OptionLine
{
    QString caption;
    QString value;
    QString unit;
};

// The four lines of the locale label: the machine's and the user's locale, each named twice as
// the page has always listed them ("System:", "User      :", "Local System:", "Local User:").
std::array<OptionLine, 4> LocaleLines();

// Every control of the options page in the current language, in page order: the languages,
// the two unit systems and the two check boxes ("on" or "off"), the threshold with
// its unit, then the locale lines.
QList<OptionLine> UserOptionLines();

} // namespace trek

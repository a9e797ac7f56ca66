// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace trek::pictures {

// Resource numbers of the pictures, as the dialogs and pages name them.
inline constexpr int ProgramIcon = 128;
inline constexpr int WebButton = 165;
inline constexpr int PersonalInfo = 174;
inline constexpr int TrophyMissionA = 178;
inline constexpr int TrophyMissionB = 179;
inline constexpr int ProgramBox = 182;
inline constexpr int LifetimeWalkAlt = 175; // the summary's picture on platform generation 7
inline constexpr int LifetimeWalk = 180;
inline constexpr int HourEarlier = 194;
inline constexpr int HourLater = 195;
inline constexpr int DayBack = 196;
inline constexpr int DayForward = 197;
inline constexpr int DayMoon = 198;
inline constexpr int MissionFlagAlt = 176; // the missions' picture on platform generation 7
inline constexpr int MissionFlag = 181;
// The language choice: each language's badge in its own script, numbered from here on by the
// language's index (app/lang/languages.h), drawn from resources/pictures/language_<code>.svg.
inline constexpr int FirstLanguageBadge = 1000;
constexpr int LanguageBadge(int languageIndex)
{
    return FirstLanguageBadge + languageIndex;
}

// Resource path of a picture; empty for a number we have no picture for.
QString PicturePath(int id);
// The picture drawn at `pixelSize` (its own size when empty); a null pixmap for an unknown id.
// Pictures are vectors, so every size is drawn afresh rather than stretched from a small bitmap.
QPixmap LoadPicture(int id, QSize pixelSize = {});
QSize NaturalSize(int id);
// The program icon in the sizes window managers ask for.
QIcon ProgramIconSet();

} // namespace trek::pictures

// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/missiontexts.h"

#include "app/currentlanguage.h"
#include "app/entryranges.h"
#include "app/lang/filltext.h"

namespace trek {

namespace {

namespace row {
constexpr int Title = 25;
constexpr int FirstKind = 42;
constexpr int FirstCaption = 46;
constexpr int DistanceCaption = 47;
constexpr int Start = 52;
constexpr int Stop = 53;
constexpr int Progress = 55;
constexpr int CompletionTitle = 56;
constexpr int CompletionText = 57;
constexpr int Running = 58;
constexpr int Mile = 138;
constexpr int Km = 142;
} // namespace row

// "%s-A" / "%s-B" filled with `text`.
QString ForMission(const QString& text, int mission)
{
    return text + (mission == 0 ? QStringLiteral("-A") : QStringLiteral("-B"));
}

} // namespace

QString MissionsName()
{
    return GetLangText(row::Title);
}

QString MissionTitle(int mission)
{
    return ForMission(MissionsName(), mission);
}

QString MissionKindText(MissionKind kind)
{
    return GetLangText(row::FirstKind + static_cast<int>(kind));
}

QString TargetCaption(MissionKind kind, int unitMode)
{
    if (kind == MissionKind::Distance) {
        return FillText(GetLangText(row::DistanceCaption),
                        {GetLangText(IsImperial(unitMode) ? row::Mile : row::Km)});
    }
    return GetLangText(row::FirstCaption + static_cast<int>(kind));
}

QString NegativeTargetText(MissionKind kind, int unitMode)
{
    return NotAboveZeroText(TargetCaption(kind, unitMode));
}

QString StartText()
{
    return GetLangText(row::Start);
}

QString StopText()
{
    return GetLangText(row::Stop);
}

QString ProgressText(int percent)
{
    return FillText(GetLangText(row::Progress), {QString::number(percent)});
}

QString RunningText(const RunningTime& time)
{
    return FillText(
        GetLangText(row::Running),
        {QString::number(time.days), QString::number(time.hours), QString::number(time.minutes)});
}

QString CompletionTitle()
{
    return GetLangText(row::CompletionTitle);
}

QString CompletionText(int mission)
{
    return ForMission(GetLangText(row::CompletionText), mission);
}

} // namespace trek

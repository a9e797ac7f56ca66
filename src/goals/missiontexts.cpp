// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/missiontexts.h"

#include "app/currentlanguage.h"
#include "app/entryranges.h"
#include "app/lang/filltext.h"

namespace trek {

namespace {

// "%s-A" / "%s-B" filled with `text`.
QString ForMission(const QString& text, int mission)
{
    return text + (mission == 0 ? QStringLiteral("-A") : QStringLiteral("-B"));
}

} // namespace

QString MissionsName()
{
    return GetLangText(TextRow::MissionTarget);
}

QString MissionTitle(int mission)
{
    return ForMission(MissionsName(), mission);
}

QString MissionKindText(MissionKind kind)
{
    return GetLangText(RowAfter(TextRow::KindSteps, static_cast<int>(kind)));
}

QString TargetCaption(MissionKind kind, int unitMode)
{
    if (kind == MissionKind::Distance) {
        return FillText(GetLangText(TextRow::TargetDistance),
                        {GetLangText(IsImperial(unitMode) ? TextRow::Mile : TextRow::Kilometre)});
    }
    return GetLangText(RowAfter(TextRow::TargetSteps, static_cast<int>(kind)));
}

QString NegativeTargetText(MissionKind kind, int unitMode)
{
    return NotAboveZeroText(TargetCaption(kind, unitMode));
}

QString StartText()
{
    return GetLangText(TextRow::Start);
}

QString StopText()
{
    return GetLangText(TextRow::Stop);
}

QString ProgressText(int percent)
{
    return FillText(GetLangText(TextRow::PercentCompleted), {QString::number(percent)});
}

QString RunningText(const RunningTime& time)
{
    return FillText(
        GetLangText(TextRow::RunningTime),
        {QString::number(time.days), QString::number(time.hours), QString::number(time.minutes)});
}

QString CompletionTitle()
{
    return GetLangText(TextRow::Congratulation);
}

QString CompletionText(int mission)
{
    return ForMission(GetLangText(TextRow::MissionCompleted), mission);
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/useroptions.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/entryranges.h"
#include "app/settingstable.h"
#include "platform/systemservices.h"

#include <QRegularExpression>

namespace trek {

namespace {

// A mistyped threshold is quoted in the refusal, but a pasted page of text is not.
constexpr qsizetype MaxQuotedLength = 24;

QString OnOff(bool on)
{
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString Quoted(const QString& text)
{
    return text.size() <= MaxQuotedLength ? text : text.first(MaxQuotedLength) + u"...";
}

} // namespace

Result<> ChangeUserOptions(const UserOptionChange& change)
{
    QList<SettingEntry> entries;
    if (change.language) {
        entries.append(setting::Language.Entry(*change.language));
    }
    if (change.unitMode) {
        entries.append(setting::UnitMode.Entry(*change.unitMode));
    }
    if (change.enableUpgrade) {
        entries.append(setting::EnableUpgrade.Entry(*change.enableUpgrade));
    }
    if (change.autoConfirm) {
        entries.append(setting::AutoConfirm.Entry(*change.autoConfirm));
    }
    if (change.slightMoving) {
        entries.append(setting::SlightMoving.Entry(*change.slightMoving));
    }
    if (entries.isEmpty()) {
        return {};
    }
    if (Result<> written = WriteSettings(entries); !written) {
        return written;
    }

    AppState& state = appState();
    SettingsValues& values = state.values;
    state.language = change.language.value_or(state.language);
    values.unitMode = change.unitMode.value_or(values.unitMode);
    values.enableUpgrade = change.enableUpgrade.value_or(values.enableUpgrade);
    values.autoConfirm = change.autoConfirm.value_or(values.autoConfirm);
    if (change.slightMoving && *change.slightMoving != values.slightMoving) {
        values.slightMoving = *change.slightMoving;
        state.reportCache.Clear();
    }
    return {};
}

Result<int> ParseSlightMoving(const QString& text)
{
    // Only ASCII digits: a threshold in the settings file is read back with "%d".
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?[0-9]+)\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) {
        return fail(QStringLiteral("The slight-movement threshold \"%1\" is not a whole number.")
                        .arg(Quoted(text)));
    }
    bool fits = false;
    const int value = match.captured(1).toInt(&fits, 10);
    if (!fits) {
        return fail(QStringLiteral("The slight-movement threshold %1 is too large a number.")
                        .arg(Quoted(match.captured(1))));
    }
    // A minute holds no fewer than 0 steps, so a threshold below it filters nothing.
    if (Result<> human = CheckNotNegative(value, GetLangText(TextRow::SlightMove)); !human) {
        return fail(human.error());
    }
    return value;
}

std::array<OptionLine, 4> LocaleLines()
{
    const platform::SystemServices* system = appState().services.system;
    const QString machine = system != nullptr ? system->systemLocaleAbbreviation() : QString();
    const QString user = system != nullptr ? system->localeAbbreviation() : QString();
    // The trailing blanks of "User" are how the label has always lined up.
    return {{{QStringLiteral("System:"), machine, {}},
             {QStringLiteral("User      :"), user, {}},
             {QStringLiteral("Local System:"), machine, {}},
             {QStringLiteral("Local User:"), user, {}}}};
}

QList<OptionLine> UserOptionLines()
{
    const AppState& state = appState();
    const SettingsValues& values = state.values;
    const int language = CurrentLanguage().index;
    QList<OptionLine> lines;
    for (const Language& choice : Languages) {
        lines.append({choice.ownName.toString(), OnOff(language == choice.index), {}});
    }
    lines.append({GetLangText(TextRow::MetricUnits), OnOff(values.unitMode == 0), {}});
    lines.append({GetLangText(TextRow::ImperialUnits), OnOff(values.unitMode != 0), {}});
    lines.append({GetLangText(TextRow::EnableUpgradeCheck), OnOff(values.enableUpgrade), {}});
    lines.append({GetLangText(TextRow::AutoConfirmed), OnOff(values.autoConfirm), {}});
    lines.append({GetLangText(TextRow::SlightMove), QString::number(values.slightMoving),
                  GetLangText(TextRow::StepsPerMinute)});
    for (const OptionLine& line : LocaleLines()) {
        lines.append(line);
    }
    return lines;
}

} // namespace trek

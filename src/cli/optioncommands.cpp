// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/optioncommands.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/useroptions.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"

#include <QStringList>

namespace trek::cli {

namespace {

Records OptionRecords()
{
    const AppState& state = appState();
    const SettingsValues& values = state.values;
    const std::array<OptionLine, 4> locales = LocaleLines();
    Records records;
    records.add(QStringLiteral("language"), CurrentLanguage().cliWord.toString());
    records.add(QStringLiteral("units"), UnitsWord(values.unitMode));
    records.add(QStringLiteral("update_check"), values.enableUpgrade);
    records.add(QStringLiteral("auto_confirm"), values.autoConfirm);
    records.add(QStringLiteral("slight_moving"), values.slightMoving);
    records.add(QStringLiteral("system_locale"), locales.at(0).value);
    records.add(QStringLiteral("user_locale"), locales.at(1).value);
    return records;
}

std::optional<bool> OnOff(const QString& word)
{
    if (word.isEmpty()) {
        return std::nullopt;
    }
    return word == u"on";
}

} // namespace

int RunOptionsShow(const CliRequest& request)
{
    if (!request.format.isEmpty()) {
        return WriteLines(OptionRecords(), request.format);
    }
    QStringList lines;
    for (const OptionLine& line : UserOptionLines()) {
        QString text = line.caption + u'\t' + line.value;
        if (!line.unit.isEmpty()) {
            text += u'\t' + line.unit;
        }
        lines << text;
    }
    return WriteLines(lines);
}

int RunOptionsSet(const CliRequest& request)
{
    UserOptionChange change;
    if (!request.optionLanguage.isEmpty()) {
        change.language = LanguageForCliWord(request.optionLanguage).index;
    }
    if (!request.optionUnits.isEmpty()) {
        change.unitMode = request.optionUnits == u"imperial" ? 1 : 0;
    }
    change.enableUpgrade = OnOff(request.optionUpgrade);
    change.autoConfirm = OnOff(request.optionAutoConfirm);
    if (request.optionSlightMoving) {
        const Result<int> threshold = ParseSlightMoving(*request.optionSlightMoving);
        if (!threshold) {
            PrintError(threshold.error());
            return ExitUsage;
        }
        change.slightMoving = *threshold;
    }
    if (const Result<> changed = ChangeUserOptions(change); !changed) {
        PrintError(changed.error());
        return ExitFailed;
    }
    return ExitSuccess;
}

} // namespace trek::cli

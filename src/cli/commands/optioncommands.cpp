// SPDX-License-Identifier: GPL-3.0-or-later
// options show|set: the user options tab as text, and its choices made from the command line.

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/languages.h"
#include "app/useroptions.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"

#include <QStringList>

namespace trek::cli {

namespace {

// options set: the words as given, empty for an option left as it is.
struct OptionValues
{
    QString language; // en, cht, chs
    QString units;    // metric, imperial
    QString upgrade;  // on, off
    QString autoConfirm;
    // The threshold is kept as typed; it is read as the options page reads it once the settings
    // file's language is known, so that a refusal speaks it.
    std::optional<QString> slightMoving;
    QString format; // options show
};

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

Result<> CheckSomeOptionSet(OptionValues& values)
{
    if (values.language.isEmpty() && values.units.isEmpty() && values.upgrade.isEmpty() &&
        values.autoConfirm.isEmpty() && !values.slightMoving) {
        return fail(QStringLiteral("options set needs at least one option to change."));
    }
    return {};
}

int RunOptionsShow(const OptionValues& values, const CliRequest& /*request*/)
{
    if (!values.format.isEmpty()) {
        return WriteLines(OptionRecords(), values.format);
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

// Every option given is written in one replacement of the settings file, or none is.
int RunOptionsSet(const OptionValues& values, const CliRequest& /*request*/)
{
    UserOptionChange change;
    if (!values.language.isEmpty()) {
        change.language = LanguageForCliWord(values.language).index;
    }
    if (!values.units.isEmpty()) {
        change.unitMode = values.units == u"imperial" ? 1 : 0;
    }
    change.enableUpgrade = OnOff(values.upgrade);
    change.autoConfirm = OnOff(values.autoConfirm);
    if (values.slightMoving) {
        const Result<int> threshold = ParseSlightMoving(*values.slightMoving);
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

const QString WrongWord = QStringLiteral("The command options needs show or set.");

} // namespace

QList<CliCommand> OptionCommands()
{
    const QStringList onOff{QStringLiteral("on"), QStringLiteral("off")};
    return {
        Row(CommandRow<OptionValues>{
            .words = {QStringLiteral("options"), QStringLiteral("show")},
            .options = {FormatOption(&OptionValues::format)},
            .wrongWord = WrongWord,
            .help = QStringLiteral(
                        "Prints the user options as the User Option tab shows them, one control a "
                        "line:\n"
                        "\"caption<TAB>value\", the value on or off for the three languages, the "
                        "two\nunit systems and the two check boxes, the slight-movement threshold "
                        "followed\nby a third cell with its unit, then the four lines of the "
                        "locale label. Like\noptions set, it needs the folder's settings file and "
                        "speaks its language.") +
                    FormatHelp(QStringLiteral("the language, units, both switches, the\n"
                                              "threshold and the two locales")),
            .needs = CliNeeds::SettingsFile,
            .run = RunOptionsShow,
        }),
        Row(CommandRow<OptionValues>{
            .words = {QStringLiteral("options"), QStringLiteral("set")},
            .options = {ChoiceOption(QStringLiteral("--language"), LanguageCliWords(),
                                     &OptionValues::language),
                        ChoiceOption(QStringLiteral("--units"),
                                     {QStringLiteral("metric"), QStringLiteral("imperial")},
                                     &OptionValues::units),
                        ChoiceOption(QStringLiteral("--upgrade"), onOff, &OptionValues::upgrade),
                        ChoiceOption(QStringLiteral("--auto-confirm"), onOff,
                                     &OptionValues::autoConfirm),
                        TypedOption(QStringLiteral("--slight-moving"), QStringLiteral("N"),
                                    &OptionValues::slightMoving)},
            .check = CheckSomeOptionSet,
            .wrongWord = WrongWord,
            .help = QStringLiteral(
                "Changes the options given, all in one write of the settings file, as the\n"
                "User Option tab does: the interface language (English, Traditional or\n"
                "Simplified Chinese), the units, the update check at start, automatic answers\n"
                "to yes/no questions, and the slight-movement threshold in steps per minute."),
            .needs = CliNeeds::FirstUseSettings,
            .run = RunOptionsSet,
        }),
    };
}

} // namespace trek::cli

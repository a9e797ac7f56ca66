// SPDX-License-Identifier: GPL-3.0-or-later
// personal show|set: the personal information tab as text, and its Save.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "device/localclock.h"
#include "goals/personallabels.h"
#include "goals/personalstore.h"
#include "reports/stepmetrics.h"

#include <QStringList>

namespace trek::cli {

namespace {

struct PersonalCommandValues
{
    QString units;                 // "metric" / "imperial"; empty: as stored
    QDate birthday;                // null: as the picker shows it
    std::optional<QString> height; // each box as typed; not given: as Fill showed it
    std::optional<QString> feet;
    std::optional<QString> inches;
    std::optional<QString> weight;
    std::optional<QString> step;
    QString format;
    bool raw = false; // personal show: the stored keys
};

// The page's picker shows the birthday year first; so does this.
const QString BirthdayFormat = QStringLiteral("yyyy-MM-dd");

QString Cells(const QStringList& cells)
{
    return cells.join(u'\t');
}

QStringList PageLines()
{
    const int unitMode = appState().values.unitMode;
    const PersonalTexts texts = FillTexts(CurrentPersonalValues(), unitMode);
    const PersonalLabels labels = CurrentPersonalLabels(unitMode);
    const QStringList height =
        IsImperial(unitMode)
            ? QStringList{labels.height, texts.feet, labels.feetUnit, texts.inches, labels.inchUnit}
            : QStringList{labels.height, texts.height, labels.heightUnit};
    // A stored birthday that names no day shows as the number it is.
    const QString birthday = texts.birthday.isValid() ? texts.birthday.toString(BirthdayFormat)
                                                      : QString::number(appState().values.birthday);
    return {Cells({labels.birthday, birthday}), Cells(height),
            Cells({labels.weight, texts.weight, labels.weightUnit}),
            Cells({labels.step, texts.step, labels.stepUnit})};
}

QStringList RawLines()
{
    const SettingsValues& values = appState().values;
    return {RawSettingLine(setting::Birthday, values.birthday),
            RawSettingLine(setting::Height, values.height),
            RawSettingLine(setting::WeightGrams, values.weightGrams),
            RawSettingLine(setting::StepSize, values.stepSize),
            RawSettingLine(setting::UnitMode, values.unitMode)};
}

// The stored values, metric whatever the form shows.
Records PersonalRecords()
{
    const SettingsValues& values = appState().values;
    const QDate birthday = BirthdayDate(values.birthday);
    Records records;
    records.add(QStringLiteral("birthday"),
                birthday.isValid() ? QJsonValue(birthday.toString(Qt::ISODate)) : QJsonValue());
    records.add(QStringLiteral("units"), UnitsWord(values.unitMode));
    records.add(QStringLiteral("height_cm"), values.height);
    records.add(QStringLiteral("weight_kg"), values.weightGrams / 1000.0);
    records.add(QStringLiteral("step_length_cm"), values.stepSize);
    return records;
}

// The boxes as the page would hold them after Fill and the person's typing.
PersonalTexts Typed(const PersonalCommandValues& values, const PersonalTexts& shown)
{
    PersonalTexts typed = shown;
    if (values.birthday.isValid()) {
        typed.birthday = values.birthday;
    }
    const auto take = [](const std::optional<QString>& given, QString& box) {
        if (given.has_value()) {
            box = *given;
        }
    };
    take(values.height, typed.height);
    take(values.feet, typed.feet);
    take(values.inches, typed.inches);
    take(values.weight, typed.weight);
    take(values.step, typed.step);
    return typed;
}

int RunPersonalShow(const PersonalCommandValues& values, const CliRequest& /*request*/)
{
    if (!values.format.isEmpty()) {
        return WriteLines(PersonalRecords(), values.format);
    }
    return WriteLines(values.raw ? RawLines() : PageLines());
}

// Writes nothing unless every box could be stored.
int RunPersonalSet(const PersonalCommandValues& values, const CliRequest& /*request*/)
{
    const bool switching = !values.units.isEmpty();
    const int unitMode = switching ? (values.units == QLatin1String("imperial") ? 1 : 0)
                                   : appState().values.unitMode;
    if (IsImperial(unitMode) && values.height.has_value()) {
        PrintError(QStringLiteral("The form is in imperial units: the height is --feet and "
                                  "--inches, not --height."));
        return ExitUsage;
    }
    if (!IsImperial(unitMode) && (values.feet.has_value() || values.inches.has_value())) {
        PrintError(QStringLiteral("The form is in metric units: the height is --height, not "
                                  "--feet and --inches."));
        return ExitUsage;
    }
    const PersonalValues stored = CurrentPersonalValues();
    const PersonalTexts shown = FillTexts(stored, unitMode);
    const Result<PersonalValues> saved =
        SavedValues(stored, unitMode, shown, Typed(values, shown), CurrentLocalTime().date());
    if (!saved) {
        PrintError(saved.error());
        return ExitUsage;
    }
    const Result<> written =
        switching ? StorePersonalValues(*saved, unitMode) : StorePersonalValues(*saved);
    if (!written) {
        PrintError(QStringLiteral("The personal data could not be saved: ") + written.error());
        return ExitFailed;
    }
    return ExitSuccess;
}

const QString WrongWord = QStringLiteral("The command personal needs show or set.");

} // namespace

QList<CliCommand> PersonalCommands()
{
    const QString typed = QStringLiteral("T");
    return {
        Row(CommandRow<PersonalCommandValues>{
            .words = {QStringLiteral("personal"), QStringLiteral("show")},
            .options = {SwitchOption(QStringLiteral("--raw"), &PersonalCommandValues::raw),
                        FormatOption(&PersonalCommandValues::format)},
            .wrongWord = WrongWord,
            .help =
                QStringLiteral(
                    "Prints the Personal Information tab as the settings file's language and "
                    "units\n"
                    "show it: one line per row of the page, its caption, the box and its unit, "
                    "and\n"
                    "the imperial height's second box and unit, separated by tabs. With --raw: "
                    "the\n"
                    "stored values, \"key<TAB>value\", for Birthday, Height, Weight_g, StepSize "
                    "and\n"
                    "UnitMode.") +
                FormatHelp(QStringLiteral("the birthday, the units and the stored height,\n"
                                          "weight and step length in cm and kg")),
            .needs = CliNeeds::SettingsFile,
            .run = RunPersonalShow,
        }),
        Row(CommandRow<PersonalCommandValues>{
            .words = {QStringLiteral("personal"), QStringLiteral("set")},
            .options =
                {ChoiceOption(QStringLiteral("--units"),
                              {QStringLiteral("metric"), QStringLiteral("imperial")},
                              &PersonalCommandValues::units),
                 DateOption(QStringLiteral("--birthday"), &PersonalCommandValues::birthday),
                 TypedOption(QStringLiteral("--height"), typed, &PersonalCommandValues::height),
                 TypedOption(QStringLiteral("--feet"), typed, &PersonalCommandValues::feet),
                 TypedOption(QStringLiteral("--inches"), typed, &PersonalCommandValues::inches),
                 TypedOption(QStringLiteral("--weight"), typed, &PersonalCommandValues::weight),
                 TypedOption(QStringLiteral("--step"), typed, &PersonalCommandValues::step)},
            .wrongWord = WrongWord,
            .help = QStringLiteral(
                "Saves the Personal Information tab as its Save button does, after switching to\n"
                "the units given. Each T is what a person would type into that box, in the\n"
                "units of the form (--height in cm, or --feet and --inches; --weight in kg or\n"
                "pounds; --step in cm or inches); a box not given keeps the text the page shows,\n"
                "and so the stored value, as does a box with no number in it. A number that\n"
                "cannot be stored is refused and nothing is written."),
            .needs = CliNeeds::FirstUseSettings,
            .run = RunPersonalSet,
        }),
    };
}

} // namespace trek::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/personalcommands.h"

#include "app/appstate.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
#include "cli/structuredoutput.h"
#include "cli/terminalui.h"
#include "device/localclock.h"
#include "goals/personallabels.h"
#include "goals/personalstore.h"
#include "reports/stepmetrics.h"

#include <QStringList>

namespace trek::cli {

namespace {

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
PersonalTexts Typed(const CliRequest& request, const PersonalTexts& shown)
{
    PersonalTexts typed = shown;
    if (request.birthday.isValid()) {
        typed.birthday = request.birthday;
    }
    const auto take = [](const std::optional<QString>& given, QString& box) {
        if (given.has_value()) {
            box = *given;
        }
    };
    take(request.height, typed.height);
    take(request.feet, typed.feet);
    take(request.inches, typed.inches);
    take(request.weight, typed.weight);
    take(request.step, typed.step);
    return typed;
}

} // namespace

int RunPersonalShow(const CliRequest& request)
{
    if (!request.format.isEmpty()) {
        return WriteLines(PersonalRecords(), request.format);
    }
    return WriteLines(request.personalRaw ? RawLines() : PageLines());
}

int RunPersonalSet(const CliRequest& request)
{
    const bool switching = !request.personalUnits.isEmpty();
    const int unitMode = switching ? (request.personalUnits == QLatin1String("imperial") ? 1 : 0)
                                   : appState().values.unitMode;
    if (IsImperial(unitMode) && request.height.has_value()) {
        PrintError(QStringLiteral("The form is in imperial units: the height is --feet and "
                                  "--inches, not --height."));
        return ExitUsage;
    }
    if (!IsImperial(unitMode) && (request.feet.has_value() || request.inches.has_value())) {
        PrintError(QStringLiteral("The form is in metric units: the height is --height, not "
                                  "--feet and --inches."));
        return ExitUsage;
    }
    const PersonalValues stored = CurrentPersonalValues();
    const PersonalTexts shown = FillTexts(stored, unitMode);
    const Result<PersonalValues> saved =
        SavedValues(stored, unitMode, shown, Typed(request, shown), CurrentLocalTime().date());
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

} // namespace trek::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/personalform.h"

#include "app/entryranges.h"
#include "goals/personallabels.h"
#include "goals/typednumber.h"
#include "reports/stepmetrics.h"

#include <cmath>
#include <optional>

namespace trek {

namespace {

// Exact constants of the conversions; the rounding addends are the program's own and keep
// stored values from changing their look in a round trip.
constexpr double InchesPerCentimetre = 0.39370078740157477;
constexpr double CentimetresPerInch = 2.54;
constexpr double HeightAddend = 2.53;
constexpr double StepAddend = 2.5;
constexpr double GramsPerPound = 454.0;
constexpr double PoundsPerGram = 0.0022026431718061676;
constexpr double GramsPerKilogram = 1000.0;
constexpr double KilogramsPerGram = 0.001;
constexpr int InchesPerFoot = 12;

QString Whole(int value)
{
    return QString::number(value);
}

// "%.1f" with '.' whatever the locale.
QString OneDecimal(double value)
{
    return QString::asprintf("%.1f", value);
}

int TruncatedInches(int centimetres)
{
    return static_cast<int>(std::trunc(centimetres * InchesPerCentimetre));
}

// A whole-number box: nullopt when it keeps what Fill showed (its text unchanged, or no number
// in it), else the number typed.
Result<std::optional<int>> TypedWhole(const QString& typed, const QString& shown,
                                      const QString& what)
{
    if (typed == shown) {
        return std::optional<int>{};
    }
    return ReadTypedWhole(typed, what);
}

Result<std::optional<double>> TypedReal(const QString& typed, const QString& shown,
                                        const QString& what)
{
    if (typed == shown) {
        return std::optional<double>{};
    }
    return ReadTypedReal(typed, what);
}

// The number Fill put in a box; Fill's texts are plain numbers.
int ShownWhole(const QString& shown)
{
    const Result<std::optional<int>> number = ReadTypedWhole(shown, QString());
    return number && number->has_value() ? **number : 0;
}

Result<int> ImperialHeight(int stored, const PersonalTexts& shown, const PersonalTexts& typed,
                           const PersonalLabels& labels)
{
    const Result<std::optional<int>> feet =
        TypedWhole(typed.feet, shown.feet, QStringLiteral("height in feet"));
    if (!feet) {
        return fail(feet.error());
    }
    const Result<std::optional<int>> inches =
        TypedWhole(typed.inches, shown.inches, QStringLiteral("height in inches"));
    if (!inches) {
        return fail(inches.error());
    }
    if (!feet->has_value() && !inches->has_value()) {
        return stored;
    }
    // One box retyped: the other counts with the number Fill showed in it.
    const double totalInches = feet->value_or(ShownWhole(shown.feet)) * double(InchesPerFoot) +
                               inches->value_or(ShownWhole(shown.inches));
    if (Result<> human =
            CheckHeightInches(totalInches, labels.height, labels.feetUnit, labels.inchUnit);
        !human) {
        return fail(human.error());
    }
    return TruncatedToInt(totalInches * CentimetresPerInch + HeightAddend,
                          QStringLiteral("height"));
}

Result<int> SavedHeight(int stored, bool imperial, const PersonalTexts& shown,
                        const PersonalTexts& typed, const PersonalLabels& labels)
{
    if (imperial) {
        return ImperialHeight(stored, shown, typed, labels);
    }
    const Result<std::optional<int>> height =
        TypedWhole(typed.height, shown.height, QStringLiteral("height"));
    if (!height) {
        return fail(height.error());
    }
    if (!height->has_value()) {
        return stored;
    }
    if (Result<> human =
            CheckWhole(**height, entryrange::HeightCentimetres, labels.height, labels.heightUnit);
        !human) {
        return fail(human.error());
    }
    return **height;
}

Result<int> SavedWeight(int stored, bool imperial, const PersonalTexts& shown,
                        const PersonalTexts& typed, const PersonalLabels& labels)
{
    const Result<std::optional<double>> weight =
        TypedReal(typed.weight, shown.weight, QStringLiteral("weight"));
    if (!weight) {
        return fail(weight.error());
    }
    if (!weight->has_value()) {
        return stored;
    }
    if (Result<> human =
            CheckReal(**weight, imperial ? entryrange::WeightPounds : entryrange::WeightKilograms,
                      labels.weight, labels.weightUnit);
        !human) {
        return fail(human.error());
    }
    if (imperial) {
        return TruncatedToInt(**weight * GramsPerPound, QStringLiteral("weight"));
    }
    // Kilograms to the gram: truncating would make 70.1 kg 70,099 g.
    return RoundedToInt(**weight * GramsPerKilogram, QStringLiteral("weight"));
}

Result<int> SavedStep(int stored, bool imperial, const PersonalTexts& shown,
                      const PersonalTexts& typed, const PersonalLabels& labels)
{
    const Result<std::optional<int>> step =
        TypedWhole(typed.step, shown.step, QStringLiteral("step length"));
    if (!step) {
        return fail(step.error());
    }
    if (!step->has_value()) {
        return stored;
    }
    if (Result<> human =
            CheckWhole(**step, imperial ? entryrange::StepInches : entryrange::StepCentimetres,
                       labels.step, labels.stepUnit);
        !human) {
        return fail(human.error());
    }
    if (imperial) {
        return TruncatedToInt(**step * CentimetresPerInch + StepAddend,
                              QStringLiteral("step length"));
    }
    return **step;
}

} // namespace

QDate BirthdayDate(int birthday)
{
    return {birthday / 10000, (birthday / 100) % 100, birthday % 100};
}

int BirthdayNumber(QDate date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

PersonalTexts FillTexts(const PersonalValues& values, int unitMode)
{
    PersonalTexts texts;
    texts.birthday = BirthdayDate(values.birthday);
    if (IsImperial(unitMode)) {
        const int inches = TruncatedInches(values.height);
        texts.feet = Whole(inches / InchesPerFoot);
        texts.inches = Whole(inches % InchesPerFoot);
        texts.weight = OneDecimal(values.weightGrams * PoundsPerGram);
        texts.step = Whole(TruncatedInches(values.stepSize));
    } else {
        texts.height = Whole(values.height);
        texts.weight = OneDecimal(values.weightGrams * KilogramsPerGram);
        texts.step = Whole(values.stepSize);
    }
    return texts;
}

Result<PersonalValues> SavedValues(const PersonalValues& stored, int unitMode,
                                   const PersonalTexts& shown, const PersonalTexts& typed,
                                   QDate today)
{
    const bool imperial = IsImperial(unitMode);
    const PersonalLabels labels = CurrentPersonalLabels(unitMode);
    PersonalValues saved = stored;
    if (typed.birthday.isValid() && typed.birthday != shown.birthday) {
        if (Result<> human = CheckBirthday(typed.birthday, today, labels.birthday); !human) {
            return fail(human.error());
        }
        saved.birthday = BirthdayNumber(typed.birthday);
    }
    const Result<int> height = SavedHeight(stored.height, imperial, shown, typed, labels);
    if (!height) {
        return fail(height.error());
    }
    saved.height = *height;
    const Result<int> weight = SavedWeight(stored.weightGrams, imperial, shown, typed, labels);
    if (!weight) {
        return fail(weight.error());
    }
    saved.weightGrams = *weight;
    const Result<int> step = SavedStep(stored.stepSize, imperial, shown, typed, labels);
    if (!step) {
        return fail(step.error());
    }
    saved.stepSize = *step;
    return saved;
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/personalform.h"
#include "goals/typednumber.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

constexpr int Metric = 0;
constexpr int Imperial = 1;

PersonalValues Body(int height, int weightGrams, int stepSize)
{
    return {19800615, height, weightGrams, stepSize};
}

// A Save of the form as Fill left it, with `edit` applied to the boxes first.
template <typename Edit>
Result<PersonalValues> SaveEdited(const PersonalValues& stored, int unitMode, Edit edit)
{
    const PersonalTexts shown = FillTexts(stored, unitMode);
    PersonalTexts typed = shown;
    edit(typed);
    return SavedValues(stored, unitMode, shown, typed, QDate(2026, 1, 1));
}

TEST(PersonalForm, FillShowsEitherFormWithTruncatedConversions)
{
    const auto imperial = [](int height) -> QString {
        const PersonalTexts texts = FillTexts(Body(height, 0, 0), Imperial);
        return texts.feet + u'\'' + texts.inches;
    };
    EXPECT_EQ(imperial(170), QStringLiteral("5'6"));
    EXPECT_EQ(imperial(183), QStringLiteral("6'0"));
    EXPECT_EQ(imperial(152), QStringLiteral("4'11"));
    // 127 cm is 50 inches, but the product with 1/2.54 lies just below 50.
    EXPECT_EQ(imperial(127), QStringLiteral("4'1"));
    EXPECT_EQ(imperial(0), QStringLiteral("0'0"));

    const PersonalTexts pounds = FillTexts(Body(183, 70000, 70), Imperial);
    EXPECT_EQ(pounds.weight, QStringLiteral("154.2"));
    EXPECT_EQ(pounds.step, QStringLiteral("27"));
    EXPECT_TRUE(pounds.height.isEmpty());
    // Any unit mode but 0 is imperial, here as in every figure.
    EXPECT_EQ(FillTexts(Body(183, 70000, 70), 2), pounds);

    const PersonalTexts metric = FillTexts(Body(183, 70050, 70), Metric);
    EXPECT_EQ(metric.height, QStringLiteral("183"));
    EXPECT_EQ(metric.weight, QStringLiteral("70.0")); // 70.05 kg lies just below 70.05
    EXPECT_EQ(metric.step, QStringLiteral("70"));
    EXPECT_TRUE(metric.feet.isEmpty() && metric.inches.isEmpty());
    EXPECT_EQ(FillTexts(Body(0, 0, 0), Metric).weight, QStringLiteral("0.0"));
    EXPECT_EQ(metric.birthday, QDate(1980, 6, 15));
}

TEST(PersonalForm, TypedNumbersGoThroughTheConversionsOfTheirUnits)
{
    const PersonalValues stored = Body(0, 0, 0);
    const auto imperial = [&stored](const char* feet, const char* inches, const char* pounds,
                                    const char* step) {
        return SaveEdited(stored, Imperial, [&](PersonalTexts& typed) {
            typed.feet = QLatin1String(feet);
            typed.inches = QLatin1String(inches);
            typed.weight = QLatin1String(pounds);
            typed.step = QLatin1String(step);
        });
    };
    const Result<PersonalValues> tall = imperial("6", "0", "154.2", "27");
    ASSERT_TRUE(tall) << tall.error().toStdString();
    EXPECT_EQ(*tall, Body(185, 70006, 71)); // 72 * 2.54 + 2.53 = 185.41; 27 * 2.54 + 2.5 = 71.08
    EXPECT_EQ(imperial("5", "6", "100", "20")->height, 170);
    // 127 cm shows as 4'1", which typed is 126.99 cm: only an untouched form keeps 127.
    EXPECT_EQ(imperial("4", "1", "100", "20")->height, 126);
    // Typed zeros are numbers, so 0'0" is a height, and one no person has.
    const Result<PersonalValues> zero = SaveEdited(Body(170, 0, 0), Imperial, [](PersonalTexts& t) {
        t.feet = QStringLiteral("0");
        t.inches = QStringLiteral("0");
    });
    EXPECT_FALSE(zero);

    const auto metric = [&stored](const char* weight) {
        return SaveEdited(stored, Metric, [&](PersonalTexts& typed) {
            typed.height = QStringLiteral(" 170cm");
            typed.weight = QLatin1String(weight);
            typed.step = QStringLiteral("55");
        });
    };
    EXPECT_EQ(*metric("65.5"), Body(170, 65500, 55));
    EXPECT_EQ(metric("70.1")->weightGrams, 70100); // not 70,099: read in double, to the gram
    EXPECT_EQ(metric("70,5")->weightGrams, 70000); // a comma ends the number as in C
}

TEST(PersonalForm, ASaveWithNothingRetypedKeepsEveryStoredValue)
{
    // Values the conversions would move: 183 -> 6'0" -> 185, 127 -> 4'1" -> 126, 70 -> 27" -> 71,
    // 70,000 -> 154.2 lb -> 70,006, and 70,006 g -> "70.0" kg -> 70,000.
    for (const PersonalValues& stored :
         {Body(183, 70000, 70), Body(183, 70006, 70), Body(127, 70050, 70)}) {
        for (const int unitMode : {Metric, Imperial}) {
            const Result<PersonalValues> saved =
                SaveEdited(stored, unitMode, [](PersonalTexts&) {});
            ASSERT_TRUE(saved);
            EXPECT_EQ(*saved, stored) << unitMode;
        }
    }
    // Boxes emptied or holding no number keep their values too: an empty imperial form stores
    // neither 2 cm nor 0 g.
    const PersonalValues stored = Body(183, 70000, 70);
    const Result<PersonalValues> emptied = SaveEdited(stored, Imperial, [](PersonalTexts& typed) {
        typed.feet.clear();
        typed.inches = QStringLiteral("   ");
        typed.weight = QStringLiteral("heavy");
        typed.step = QStringLiteral("+-3");
    });
    EXPECT_EQ(*emptied, stored);
    // One height box retyped: the other counts with the number it showed (5'0" = 154.93 cm).
    const Result<PersonalValues> shorter = SaveEdited(
        stored, Imperial, [](PersonalTexts& typed) { typed.feet = QStringLiteral("5"); });
    EXPECT_EQ(shorter->height, 154);
    EXPECT_EQ(shorter->weightGrams, 70000);

    // The birthday changes only when the picker shows another day than Fill gave it.
    const Result<PersonalValues> born = SaveEdited(
        stored, Metric, [](PersonalTexts& typed) { typed.birthday = QDate(1975, 12, 31); });
    EXPECT_EQ(born->birthday, 19751231);
    PersonalValues odd = stored;
    odd.birthday = 20000231; // names no day; the picker cannot show it
    const PersonalTexts shown = FillTexts(odd, Metric);
    PersonalTexts typed = shown;
    typed.birthday = QDate(2000, 2, 1); // where the picker happened to stand
    PersonalTexts pickerShown = shown;
    pickerShown.birthday = typed.birthday;
    EXPECT_EQ(SavedValues(odd, Metric, pickerShown, typed, QDate(2026, 1, 1))->birthday, 20000231);
}

TEST(PersonalForm, NumbersThatCannotBeStoredOrNoPersonHasAreRefused)
{
    const PersonalValues stored = Body(183, 70000, 70);
    const auto refusal = [&stored](int unitMode, auto edit) {
        const Result<PersonalValues> saved = SaveEdited(stored, unitMode, edit);
        return saved ? QStringLiteral("stored") : saved.error();
    };
    EXPECT_EQ(refusal(Metric, [](PersonalTexts& t) { t.height = QStringLiteral("2147483648"); }),
              QStringLiteral("The height \"2147483648\" is too large a number."));
    EXPECT_EQ(
        refusal(Metric,
                [](PersonalTexts& t) { t.step = QStringLiteral("99999999999999999999999999"); }),
        QStringLiteral("The step length \"999999999999999999999999...\" is too large a "
                       "number."));
    // Numbers that fit but that no person has are refused with the bounds, in the form's units,
    // before any conversion could overflow.
    EXPECT_EQ(refusal(Imperial, [](PersonalTexts& t) { t.feet = QStringLiteral("100000000"); }),
              QStringLiteral("Height must be between 1 Feet 8 Inch and 8 Feet 11 Inch."));
    EXPECT_EQ(refusal(Imperial, [](PersonalTexts& t) { t.step = QStringLiteral("900000000"); }),
              QStringLiteral("StepSize must be between 4 Inch and 59 Inch."));
    EXPECT_EQ(refusal(Metric, [](PersonalTexts& t) { t.weight = QStringLiteral("2147484"); }),
              QStringLiteral("Weight must be between 2 Kg and 650 Kg."));
    EXPECT_EQ(refusal(Imperial, [](PersonalTexts& t) { t.weight = QStringLiteral("-1e300"); }),
              QStringLiteral("Weight must be between 4.4 Pound and 1433 Pound."));
    EXPECT_EQ(refusal(Metric, [](PersonalTexts& t) { t.weight = QStringLiteral("1e999"); }),
              QStringLiteral("The weight \"1e999\" is out of range."));
    EXPECT_EQ(refusal(Imperial, [](PersonalTexts& t) { t.weight = QStringLiteral(" nan"); }),
              QStringLiteral("The weight \" nan\" is not a finite number."));
    EXPECT_EQ(refusal(Metric, [](PersonalTexts& t) { t.weight = QStringLiteral("-inf"); }),
              QStringLiteral("The weight \"-inf\" is not a finite number."));

    // The edges of the stored range itself.
    EXPECT_EQ(**ReadTypedWhole(QStringLiteral("-2147483648"), {}), -2147483648);
    EXPECT_EQ(*RoundedToInt(2147483647.4, {}), 2147483647);
    EXPECT_FALSE(RoundedToInt(2147483647.5, {}));
    EXPECT_EQ(*TruncatedToInt(-2147483648.9, {}), -2147483647 - 1);
}

} // namespace
} // namespace trek

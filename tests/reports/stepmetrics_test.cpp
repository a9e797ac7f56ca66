// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "reports/lifetimesummary.h"
#include "reports/stepmetrics.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

namespace trek {
namespace {

TEST(StepMetrics, CalorieExamplesAndBandEdges)
{
    EXPECT_NEAR(ComputeCalories(30, 4.8, 60000), 146.34, 1e-9);
    EXPECT_NEAR(ComputeCalories(60, 10, 70000), 628.95, 1e-9);
    EXPECT_NEAR(ComputeCalories(60, 12, 70000), 630.0, 1e-9); // 12 km/h is the third band
    EXPECT_NEAR(ComputeCalories(60, 8, 70000), 503.16, 1e-9); // 8 km/h is the second
    EXPECT_NEAR(ComputeCalories(60, 7.999, 70000), 70000 * 0.1355 * 60 * 7.999 / 8 * 0.001, 1e-9);
    EXPECT_NEAR(ComputeCalories(60, 11.999, 70000), 70000 * 0.1797 * 60 * 11.999 / 12 * 0.001,
                1e-9);
    // No time counts as one minute.
    EXPECT_EQ(ComputeCalories(0, 5, 60000), ComputeCalories(1, 5, 60000));
    EXPECT_EQ(ComputeCalories(-3, 5, 60000), ComputeCalories(1, 5, 60000));
    EXPECT_EQ(ComputeCalories(30, 5, 0), 0.0);
}

TEST(StepMetrics, RowFiguresDurationsAndUnits)
{
    // One minute of 120 steps at 70 cm: 84 m, at 84 m a minute.
    const MetricSettings metric{70, 60000, 0, 5};
    const StepFigures one = ComputeStepFigures(120, IntervalMinutes(600, 600), metric);
    EXPECT_EQ(FormatCadence(one.cadence), QStringLiteral("2.00   "));
    EXPECT_EQ(FormatFigure(one.distance), QStringLiteral("0.084   "));
    EXPECT_EQ(FormatFigure(one.speed), QStringLiteral("5.040   "));
    EXPECT_EQ(FormatFigure(one.calories), QStringLiteral("5.122   "));

    // 1,600 m in 10 minutes: a mile in imperial mode, the calories from the metric speed.
    const StepFigures km = ComputeStepFigures(1600, 10, {100, 60000, 0, 0});
    const StepFigures miles = ComputeStepFigures(1600, 10, {100, 60000, 1, 0});
    EXPECT_EQ(FormatFigure(km.distance), QStringLiteral("1.600   "));
    EXPECT_EQ(FormatFigure(miles.distance), QStringLiteral("1.000   "));
    EXPECT_EQ(FormatFigure(km.speed), QStringLiteral("9.600   "));
    EXPECT_EQ(FormatFigure(miles.speed), QStringLiteral("6.000   "));
    EXPECT_EQ(miles.calories, km.calories);
    EXPECT_EQ(miles.calories, ComputeCalories(10, 9.6, 60000));

    const StepFigures noStepLength = ComputeStepFigures(1600, 10, {0, 60000, 0, 0});
    EXPECT_EQ(FormatFigure(noStepLength.distance), QStringLiteral("0.000   "));
    EXPECT_EQ(FormatFigure(noStepLength.speed), QStringLiteral("0.000   "));
    EXPECT_EQ(FormatFigure(noStepLength.calories), QStringLiteral("0.000   "));

    // Durations count between the first and last minute; a lone minute lasts one.
    EXPECT_EQ(IntervalMinutes(600, 604), 4);
    EXPECT_EQ(IntervalMinutes(600, 600), 1);
    EXPECT_EQ(DayMinutes(6), 5);
    EXPECT_EQ(DayMinutes(1), 1);
    // A minute at the slight-movement threshold is no walking; one step more counts in full.
    EXPECT_EQ(EffectiveSteps(5, 5), 0);
    EXPECT_EQ(EffectiveSteps(6, 5), 6);
    EXPECT_EQ(FormatRowNumber(1), QStringLiteral("   1"));
    EXPECT_EQ(FormatSteps(620), QStringLiteral("620   "));
}

class LifetimeSummaryTest : public ::testing::Test
{
protected:
    void SetUp() override { resetAppState(); }
    void TearDown() override { resetAppState(); }

    static QStringList Values(int steps, int minutes, const MetricSettings& settings)
    {
        QStringList values;
        for (const SummaryLine& line : LifetimeSummary(steps, minutes, settings)) {
            values << line.value;
        }
        return values;
    }
};

TEST_F(LifetimeSummaryTest, TotalsAsTheTabShowsThem)
{
    const MetricSettings metric{70, 60000, 0, 0};
    EXPECT_EQ(Values(0, 0, metric),
              (QStringList{QStringLiteral("0"), QStringLiteral("    0.000 Km"),
                           QStringLiteral("0 Days 0 Hours 0 Mintues"),
                           QStringLiteral("    0.000 KCal")}));
    const QStringList million = Values(1000000, 1500, metric);
    EXPECT_EQ(million[1], QStringLiteral("  700.000 Km"));
    EXPECT_EQ(million[2], QStringLiteral("1 Days 1 Hours 0 Mintues"));
    // 28 km/h over 1,500 minutes, in the third band.
    EXPECT_EQ(million[3], QStringLiteral("31500.000 KCal"));
    EXPECT_EQ(Values(1000000, 1500, {70, 60000, 1, 0})[1], QStringLiteral("  437.500 Miles"));
    // Steps without minutes burn nothing; steps times centimetres beyond 32 bits stay right.
    EXPECT_EQ(Values(1000000, 0, metric)[3], QStringLiteral("    0.000 KCal"));
    EXPECT_EQ(Values(2000000000, 1, metric)[1], QStringLiteral("1400000.000 Km"));

    appState().language = 1;
    const auto chinese = LifetimeSummary(0, 61, metric);
    EXPECT_EQ(chinese[0].caption, QStringLiteral("總步數:"));
    EXPECT_EQ(chinese[2].value, QStringLiteral("0 天 1 小時 1 分鐘"));
}

TEST_F(LifetimeSummaryTest, NumbersKeepTheDecimalPointUnderACommaLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // Takes effect only where the locale is installed; QLocale's default is set either way.
    (void)std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const StepFigures figures = ComputeStepFigures(1234567, 100, {70, 60000, 0, 0});
    const QString cadence = FormatCadence(figures.cadence);
    const QString distance = FormatFigure(figures.distance);
    const QString lifetime = LifetimeSummary(1234567, 100, {70, 60000, 0, 0})[1].value;
    (void)std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(before);

    EXPECT_EQ(cadence, QStringLiteral("205.76   "));
    EXPECT_EQ(distance, QStringLiteral("864.197   "));
    EXPECT_EQ(lifetime, QStringLiteral("  864.197 Km"));
}

} // namespace
} // namespace trek

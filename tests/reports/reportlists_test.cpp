// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "data/datatestsupport.h"
#include "data/monthbuffer.h"
#include "reports/chartsummary.h"
#include "reports/movinghour.h"
#include "reports/reportbuilder.h"
#include "reports/reportloader.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <numeric>
#include <ostream>

// Failing comparisons of cells show them as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

// 70 cm steps, 60 kg, metric, slight movement up to 5 steps a minute.
const MetricSettings Settings{70, 60000, 0, 5};

// March 2024: on the 5th a walk 10:00-10:04, a shaken minute, one more minute of walking; on the
// 12th only shaking; on the 31st a walk into the last minute of the day.
std::vector<std::pair<int, int>> March2024()
{
    std::vector<std::pair<int, int>> minutes;
    for (int m = 0; m < 5; ++m) {
        minutes.push_back({SlotIndex(5, 10, m), 100});
    }
    minutes.push_back({SlotIndex(5, 10, 5), 5});
    minutes.push_back({SlotIndex(5, 10, 6), 120});
    minutes.push_back({SlotIndex(12, 8, 0), 5});
    for (int m = 50; m < 60; ++m) {
        minutes.push_back({SlotIndex(31, 23, m), 60});
    }
    return minutes;
}

ReportCells Cells(const char* number, const char* when, const char* steps, const char* cadence,
                  const char* distance, const char* speed, const char* calories)
{
    return {QString::fromUtf8(number),  QString::fromUtf8(when),     QString::fromUtf8(steps),
            QString::fromUtf8(cadence), QString::fromUtf8(distance), QString::fromUtf8(speed),
            QString::fromUtf8(calories)};
}

class ReportTest : public test::DataTest
{
protected:
    Report Load(ReportMode mode, QDate date, bool minuteData = false)
    {
        Result<Report> loaded = LoadReport(dir.path(), mode, date, Settings, minuteData);
        EXPECT_TRUE(loaded.ok()) << loaded.error().toStdString();
        return loaded.ok() ? *loaded : Report{};
    }

    static std::vector<ReportCells> RowCells(const Report& report)
    {
        std::vector<ReportCells> cells;
        for (const ReportRow& row : report.rows) {
            cells.push_back(row.cells);
        }
        return cells;
    }

    static int Total(const std::vector<int>& series)
    {
        return std::accumulate(series.begin(), series.end(), 0);
    }
};

TEST_F(ReportTest, MonthAndDayListsOfAHandMadeMonth)
{
    dir.write(storeFile(2024, 3), MonthBytes(March2024()));

    const Report month = Load(ReportMode::Month, QDate(2024, 3, 20));
    EXPECT_EQ(RowCells(month),
              (std::vector<ReportCells>{Cells("   1", "2024/03/05", "620   ", "2.07   ", "0.434   ",
                                              "5.208   ", "26.463   "),
                                        Cells("   2", "2024/03/31", "600   ", "1.11   ", "0.420   ",
                                              "2.800   ", "25.610   ")}));
    ASSERT_EQ(month.series.size(), 744U);
    EXPECT_EQ(month.series[4 * 24 + 10], 620); // the shaken minute left out
    EXPECT_EQ(month.series[743], 600);         // the 31st is drawn to its last hour
    EXPECT_EQ(Total(month.series), 1220);
    EXPECT_EQ(month.leftMaximum, 620);
    EXPECT_EQ(FormatRightMaximum(month.rightMaximum), QStringLiteral("26.463"));
    EXPECT_EQ(month.rows[1].span.day, 31);
    EXPECT_EQ(month.rows[1].span.firstMinute, 0);
    EXPECT_EQ(month.rows[1].span.lastMinute, 1439);

    const Report fifth = Load(ReportMode::Day, QDate(2024, 3, 5));
    EXPECT_EQ(RowCells(fifth),
              (std::vector<ReportCells>{Cells("   1", "2024/03/05 10:00 ~ 10:04", "500   ",
                                              "2.08   ", "0.350   ", "5.250   ", "21.341   "),
                                        Cells("   2", "2024/03/05 10:06 ~ 10:06", "120   ",
                                              "2.00   ", "0.084   ", "5.040   ", "5.122   ")}));
    ASSERT_EQ(fifth.series.size(), 24U);
    EXPECT_EQ(fifth.series[10], 620);
    EXPECT_EQ(Total(fifth.series), 620);
    EXPECT_EQ(fifth.rows[0].span.firstMinute, 600);
    EXPECT_EQ(fifth.rows[0].span.lastMinute, 604);

    const Report last = Load(ReportMode::Day, QDate(2024, 3, 31));
    EXPECT_EQ(RowCells(last),
              (std::vector<ReportCells>{Cells("   1", "2024/03/31 23:50 ~ 23:59", "600   ",
                                              "1.11   ", "0.420   ", "2.800   ", "25.610   ")}));
    EXPECT_TRUE(Load(ReportMode::Day, QDate(2024, 3, 12)).rows.empty());
}

TEST_F(ReportTest, ChartSummariesGiveThePeriodItsStepsAndTheBusiestTimes)
{
    dir.write(storeFile(2024, 3), MonthBytes(March2024()));

    EXPECT_EQ(
        DescribeReportChart(Load(ReportMode::Month, QDate(2024, 3, 20)), QDate(2024, 3, 20), false),
        QStringLiteral("2024/03: 1220 steps; busiest day 2024/03/05: 620 steps; "
                       "busiest hour 2024/03/05 10:00 ~ 11:00: 620 steps"));
    // Minute data: the busiest moving hour, which stops at midnight.
    EXPECT_EQ(DescribeReportChart(Load(ReportMode::Day, QDate(2024, 3, 31), true),
                                  QDate(2024, 3, 31), true),
              QStringLiteral("2024/03/31: 600 steps; busiest hour 23:00 ~ 24:00: 600 steps"));
    EXPECT_EQ(
        DescribeReportChart(Load(ReportMode::Day, QDate(2024, 4, 2)), QDate(2024, 4, 2), false),
        QStringLiteral("2024/04/02: 0 steps"));

    SleepAnalysis night;
    night.onset = 100;
    night.wake = 500;
    night.deepMinutes = 300;
    night.lightMinutes = 100;
    night.efficiency = 80;
    const SleepPlace place{QDate(2024, 3, 5), SleepWindow()};
    EXPECT_EQ(DescribeSleepChart(night, place),
              QStringLiteral("Night 2024/03/05 20:00 ~ 2024/03/06 09:00; 21:40 Bad Time; "
                             "04:21 Awake Time; 06:40 Sleep Time; 80% Efficiency"));
    appState().language = 2; // Simplified Chinese
    EXPECT_TRUE(DescribeSleepChart(night, place).startsWith(QStringLiteral("夜间 2024/03/05")));
}

TEST_F(ReportTest, QuietAndMissingMonthsKeepTheAxesAtAHundred)
{
    dir.write(storeFile(2023, 2), MonthBytes({{SlotIndex(28, 12, 0), 60}}));
    const Report quiet = Load(ReportMode::Month, QDate(2023, 2, 1));
    EXPECT_EQ(quiet.rows.size(), 1U);
    EXPECT_EQ(quiet.leftMaximum, 100);
    // The right axis is the hour of 100 steps, not the store's busiest.
    EXPECT_EQ(FormatRightMaximum(quiet.rightMaximum), QStringLiteral("4.268"));

    for (const ReportMode mode : {ReportMode::Month, ReportMode::Week, ReportMode::Day}) {
        const Report missing = Load(mode, QDate(2023, 3, 15), true);
        EXPECT_TRUE(missing.rows.empty());
        EXPECT_EQ(Total(missing.series), 0);
        EXPECT_EQ(missing.leftMaximum, 100);
        EXPECT_EQ(FormatRightMaximum(missing.rightMaximum), QStringLiteral("100.000"));
    }
    EXPECT_EQ(Load(ReportMode::Day, QDate(2023, 3, 15), true).series.size(), 24U);

    dir.write(storeFile(2023, 3), MonthBytes({}) + "x");
    EXPECT_FALSE(LoadReport(dir.path(), ReportMode::Day, QDate(2023, 3, 15), Settings, false).ok());
}

// The moving hour summed minute by minute, as a check on the sliding window.
int WindowSum(const MonthBuffer& month, int day, int k, int monthMinutes)
{
    const int start = std::clamp(SlotIndex(day, 0, 0) + k - 30, 0, monthMinutes - 60);
    int sum = 0;
    for (int i = start; i < start + 60; ++i) {
        sum += month.slot(i);
    }
    return sum;
}

TEST_F(ReportTest, MovingHourAtTheMonthsFirstAndLastMinutes)
{
    // February of a leap year: 29 days; the 30th row holds steps a day file put past the end.
    dir.write(storeFile(2024, 2), MonthBytes({{SlotIndex(1, 0, 0), 3},
                                              {SlotIndex(1, 0, 59), 11},
                                              {SlotIndex(1, 1, 0), 4},
                                              {SlotIndex(29, 23, 0), 2},
                                              {SlotIndex(29, 23, 59), 9},
                                              {SlotIndex(30, 0, 0), 1000}}));
    const Report first = Load(ReportMode::Day, QDate(2024, 2, 1), true);
    ASSERT_EQ(first.series.size(), 1440U);
    EXPECT_EQ(first.axis.pointsPerUnit, 60);
    // Raw minutes, the shaken ones too; the window held at the month's first hour until 00:30.
    EXPECT_EQ(first.series[0], 14);
    EXPECT_EQ(first.series[30], 14);
    EXPECT_EQ(first.series[31], 15);
    EXPECT_EQ(first.series[90], 4);
    EXPECT_EQ(first.series[91], 0);
    EXPECT_EQ(first.leftMaximum, 100);
    // The right axis stays with the hour sums of effective steps (11 at 00:00).
    EXPECT_EQ(first.rightMaximum, HourCalories(100, Settings));

    const Report last = Load(ReportMode::Day, QDate(2024, 2, 29), true);
    EXPECT_EQ(last.series[1409], 2);  // 22:59 to 23:58
    EXPECT_EQ(last.series[1410], 11); // from here on the month's last hour
    EXPECT_EQ(last.series[1439], 11);

    MonthBuffer random;
    ASSERT_TRUE(random.Load(dir.path(), 2023, 2).ok());
    QRandomGenerator generator(7);
    for (int i = 0; i < MonthBuffer::SlotCount; ++i) {
        random.AddToSlot(i, generator.bounded(200));
    }
    for (const int day : {1, 2, 14, 27, 28}) {
        const std::vector<int> series = MovingHourSeries(random, day);
        for (int k = 0; k < 1440; ++k) {
            ASSERT_EQ(series[std::size_t(k)], WindowSum(random, day, k, 28 * 1440))
                << "day " << day << " minute " << k;
        }
    }

    EXPECT_EQ(RoundedMaximum(0), 100);
    EXPECT_EQ(RoundedMaximum(100), 100);
    EXPECT_EQ(RoundedMaximum(101), 200);
    EXPECT_EQ(RoundedMaximum(1000), 1100);
    EXPECT_EQ(RoundedMaximum(1001), 2000);
    EXPECT_EQ(RoundedMaximum(10001), 20000);
    EXPECT_EQ(RoundedMaximum(100000), 110000);
    EXPECT_EQ(RoundedMaximum(100001), 200000);
    EXPECT_EQ(RoundedMaximum(3599940), 3600000);
}

TEST_F(ReportTest, WeekAcrossAMonthsEnd)
{
    std::vector<std::pair<int, int>> march = March2024();
    march.push_back({SlotIndex(30, 9, 0), 100}); // the Saturday before
    dir.write(storeFile(2024, 3), MonthBytes(march));
    dir.write(storeFile(2024, 4), MonthBytes({{SlotIndex(6, 8, 0), 50},
                                              {SlotIndex(6, 8, 1), 50},
                                              {SlotIndex(7, 9, 0), 100}})); // the Sunday after

    EXPECT_EQ(WeekStart(QDate(2024, 4, 6)), QDate(2024, 3, 31));
    EXPECT_EQ(WeekStart(QDate(2024, 3, 31)), QDate(2024, 3, 31));
    const Report week = Load(ReportMode::Week, QDate(2024, 4, 2));
    ASSERT_EQ(week.rows.size(), 2U);
    EXPECT_EQ(week.rows[0].cells[0], QStringLiteral("   1"));
    EXPECT_EQ(week.rows[0].cells[1], QStringLiteral("2024/03/31 23:50 ~ 23:59"));
    EXPECT_EQ(week.rows[1].cells[0], QStringLiteral("   2"));
    EXPECT_EQ(week.rows[1].cells[1], QStringLiteral("2024/04/06 08:00 ~ 08:01"));
    EXPECT_EQ(week.rows[1].span.month, 4);
    EXPECT_EQ(week.rows[1].span.day, 6);
    ASSERT_EQ(week.series.size(), 168U);
    EXPECT_EQ(week.series[23], 600);
    EXPECT_EQ(week.series[6 * 24 + 8], 100);
    EXPECT_EQ(Total(week.series), 700);
    EXPECT_EQ(week.leftMaximum, 600);

    // Without the first month's file the week still shows the second's days.
    QFile::remove(storePath(2024, 3));
    const Report april = Load(ReportMode::Week, QDate(2024, 3, 31));
    ASSERT_EQ(april.rows.size(), 1U);
    EXPECT_EQ(april.rows[0].cells[1], QStringLiteral("2024/04/06 08:00 ~ 08:01"));
    EXPECT_EQ(april.leftMaximum, 100);
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/datatestsupport.h"
#include "data/monthbuffer.h"
#include "reports/reportbuilder.h"
#include "trends/steptrend.h"
#include "trends/trendtable.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

// 70 cm steps, 60 kg, metric, slight movement up to 5 steps a minute.
const MetricSettings Settings{70, 60000, 0, 5};

using Slots = std::vector<std::pair<int, int>>;

// `count` minutes of 100 steps from 10:00 on `day`.
void Walk(Slots& minutes, int day, int count)
{
    for (int m = 0; m < count; ++m) {
        minutes.push_back({SlotIndex(day, 10, 0) + m, 100});
    }
}

class StepTrendTest : public test::DataTest
{
protected:
    void Store(int year, int month, const Slots& minutes)
    {
        dir.write(storeFile(year, month), MonthBytes(minutes));
    }

    std::vector<DayTrend> Days(QDate first, QDate last)
    {
        const Result<std::vector<DayTrend>> days = LoadDays(dir.path(), first, last, Settings);
        EXPECT_TRUE(days.ok()) << days.error().toStdString();
        return days.ok() ? *days : std::vector<DayTrend>{};
    }

    static const DayTrend& On(const std::vector<DayTrend>& days, QDate date)
    {
        const auto found = std::find_if(days.begin(), days.end(),
                                        [date](const DayTrend& day) { return day.date == date; });
        EXPECT_NE(found, days.end()) << date.toString(Qt::ISODate).toStdString();
        return *found;
    }
};

// December's last day, the new year, the leap day and March's first day, each from its own
// month's file; February's rows 30 and 31, which no day reads, hold steps that must stay out.
TEST_F(StepTrendTest, DaysComeFromTheirOwnMonthsAcrossYearEndAndLeapDay)
{
    Slots december;
    Walk(december, 31, 30);
    Slots january;
    Walk(january, 1, 40);
    Slots february;
    Walk(february, 29, 50);
    Walk(february, 30, 20);
    Slots march;
    Walk(march, 1, 60);
    march.push_back({SlotIndex(1, 12, 0), 5}); // shaken, not walked
    Store(2023, 12, december);
    Store(2024, 1, january);
    Store(2024, 2, february);
    Store(2024, 3, march);

    const std::vector<DayTrend> days = Days(QDate(2023, 12, 30), QDate(2024, 3, 2));
    ASSERT_EQ(days.size(), 2U + 31U + 29U + 2U);
    EXPECT_EQ(On(days, QDate(2023, 12, 31)).steps, 3000);
    EXPECT_EQ(On(days, QDate(2024, 1, 1)).steps, 4000);
    EXPECT_EQ(On(days, QDate(2024, 2, 29)).steps, 5000);
    const DayTrend& first = On(days, QDate(2024, 3, 1));
    EXPECT_EQ(first.steps, 6000);
    EXPECT_EQ(first.activeMinutes, 60);

    // The figures of the day's row in the month report.
    MonthBuffer month;
    ASSERT_TRUE(month.Load(dir.path(), 2024, 3).ok());
    const Report monthReport = BuildMonthReport(month, Settings);
    ASSERT_EQ(monthReport.rows.size(), 1U);
    EXPECT_DOUBLE_EQ(first.distance, monthReport.rows[0].figures.distance);
    EXPECT_DOUBLE_EQ(first.calories, monthReport.rows[0].figures.calories);

    const RangeTrend range = SumUpRange(days, 10000);
    EXPECT_EQ(range.total.steps, 3000 + 4000 + 5000 + 6000);
    EXPECT_EQ(range.total.daysWithData, 4);
    EXPECT_EQ(range.total.AverageSteps(), 4500);
    EXPECT_EQ(range.bestDay, QDate(2024, 3, 1));
}

// A week from Sunday to Saturday that begins in March ends in April; the range's ends cut the
// weeks and months around it.
TEST_F(StepTrendTest, AWeekSpanningTwoMonthsSumsBothFiles)
{
    Slots march;
    Walk(march, 30, 10);
    Walk(march, 31, 20);
    Slots april;
    Walk(april, 1, 30);
    Walk(april, 6, 40);
    Walk(april, 7, 50);
    Store(2024, 3, march);
    Store(2024, 4, april);

    const std::vector<DayTrend> days = Days(QDate(2024, 3, 28), QDate(2024, 4, 10));
    const std::vector<PeriodTrend> weeks = GroupDays(days, TrendPeriod::Week, 2500);
    ASSERT_EQ(weeks.size(), 3U);
    EXPECT_EQ(weeks[0].first, QDate(2024, 3, 28));
    EXPECT_EQ(weeks[0].last, QDate(2024, 3, 30));
    EXPECT_EQ(weeks[0].steps, 1000);
    EXPECT_EQ(weeks[1].first, QDate(2024, 3, 31));
    EXPECT_EQ(weeks[1].last, QDate(2024, 4, 6));
    EXPECT_EQ(weeks[1].steps, 2000 + 3000 + 4000);
    EXPECT_EQ(weeks[1].daysWithData, 3);
    EXPECT_EQ(weeks[1].AverageSteps(), 3000);
    EXPECT_EQ(weeks[1].goalDays, 2);
    EXPECT_EQ(weeks[2].first, QDate(2024, 4, 7));
    EXPECT_EQ(weeks[2].steps, 5000);

    const std::vector<PeriodTrend> months = GroupDays(days, TrendPeriod::Month, 2500);
    ASSERT_EQ(months.size(), 2U);
    EXPECT_EQ(months[0].last, QDate(2024, 3, 31));
    EXPECT_EQ(months[0].steps, 3000);
    EXPECT_EQ(months[1].first, QDate(2024, 4, 1));
    EXPECT_EQ(months[1].steps, 12000);
}

// Months without a store file have no days to list; a range without any gives nothing at all,
// and a store file that cannot be read is named.
TEST_F(StepTrendTest, MonthsWithoutAStoreFileAreLeftOutAndAnUnreadableOneIsNamed)
{
    EXPECT_TRUE(Days(QDate(2024, 1, 1), QDate(2024, 12, 31)).empty());

    Slots january;
    Walk(january, 20, 10);
    Store(2024, 1, january);
    Store(2024, 3, {});
    const std::vector<DayTrend> days = Days(QDate(2024, 1, 15), QDate(2024, 3, 15));
    ASSERT_EQ(days.size(), 17U + 29U + 15U);
    EXPECT_FALSE(On(days, QDate(2024, 2, 10)).stored);
    EXPECT_EQ(DayTable(days, 10000, 0).rows.size(), 17 + 15);
    const std::vector<PeriodTrend> months = GroupDays(days, TrendPeriod::Month, 10000);
    ASSERT_EQ(months.size(), 2U);
    EXPECT_EQ(months[0].first, QDate(2024, 1, 15));
    EXPECT_EQ(months[1].first, QDate(2024, 3, 1));
    // The four weeks wholly inside February are not there.
    EXPECT_EQ(GroupDays(days, TrendPeriod::Week, 10000).size(), 3U + 3U);

    dir.write(storeFile(2024, 2), QByteArray(MonthBuffer::FileSize + 2, '\0'));
    const Result<std::vector<DayTrend>> unreadable =
        LoadDays(dir.path(), QDate(2024, 1, 15), QDate(2024, 3, 15), Settings);
    ASSERT_FALSE(unreadable.ok());
    EXPECT_TRUE(unreadable.error().contains(QStringLiteral("Stepo202402.BIN")))
        << unreadable.error().toStdString();
}

std::vector<DayTrend> Steps(const std::vector<int>& steps)
{
    std::vector<DayTrend> days;
    QDate date(2024, 5, 1);
    for (const int count : steps) {
        days.push_back({date, true, count, 0, 0.0, 0.0});
        date = date.addDays(1);
    }
    return days;
}

// A day at the goal exactly counts; the run that the range's last day closes is both the current
// and the longest one.
TEST(GoalRuns, ARunEndingOnTheLastDayIsCurrentAndLongest)
{
    const std::vector<DayTrend> days = Steps({10000, 12000, 9999, 10000, 10001, 15000});
    EXPECT_EQ(GoalRuns(days, 10000), (std::vector<int>{1, 2, 0, 1, 2, 3}));
    const RangeTrend range = SumUpRange(days, 10000);
    EXPECT_EQ(range.total.goalDays, 5);
    EXPECT_EQ(range.currentRun, 3);
    EXPECT_EQ(range.longestRun, 3);

    const RangeTrend broken = SumUpRange(Steps({11000, 11000, 11000, 0, 11000}), 10000);
    EXPECT_EQ(broken.currentRun, 1);
    EXPECT_EQ(broken.longestRun, 3);
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/recordgenerator.h"

#include <gtest/gtest.h>

namespace trek::emu {
namespace {

TEST(RecordGenerator, SameSeedSameStepsAndDaysDoNotDependOnTheRange)
{
    const QDate end(2026, 11, 30);
    const StepHistory first = RecordGenerator(42).generate(14, end);
    const StepHistory again = RecordGenerator(42).generate(14, end);
    const StepHistory other = RecordGenerator(43).generate(14, end);
    ASSERT_EQ(first.size(), 14u);
    for (std::size_t index = 0; index < first.size(); ++index) {
        EXPECT_EQ(first[index].date, end.addDays(static_cast<qint64>(index) - 13));
        EXPECT_EQ(first[index].minutes, again[index].minutes);
    }
    int differentDays = 0;
    for (std::size_t index = 0; index < first.size(); ++index) {
        differentDays += first[index].minutes != other[index].minutes ? 1 : 0;
    }
    EXPECT_EQ(differentDays, 14);
    // A shorter range ending on the same day gives that day the same steps.
    EXPECT_EQ(RecordGenerator(42).generate(3, end).back().minutes, first.back().minutes);
    EXPECT_TRUE(RecordGenerator(42).generate(0, end).empty());
}

TEST(RecordGenerator, DaysHaveWalksAndNightsStayQuiet)
{
    const StepHistory history = RecordGenerator(7).generate(90, QDate(2026, 6, 30));
    int nightMinutesWithSteps = 0;
    for (const DaySteps& day : history) {
        SCOPED_TRACE(day.date.toString(Qt::ISODate).toStdString());
        int nightSteps = 0;
        int walkingMinutes = 0;
        for (int minute = 0; minute < DaySteps::MinutesPerDay; ++minute) {
            const int steps = day.minutes[static_cast<std::size_t>(minute)];
            if (minute >= 60 && minute < 5 * 60) {
                EXPECT_LE(steps, 6);
                nightSteps += steps;
                nightMinutesWithSteps += steps > 0 ? 1 : 0;
            }
            walkingMinutes += steps >= 85 ? 1 : 0;
        }
        EXPECT_LT(nightSteps, 80);
        EXPECT_GE(walkingMinutes, 8);
        EXPECT_GT(day.total(), 2500);
        EXPECT_LT(day.total(), 40000);
    }
    // Rare small movements, not none at all: a sleep chart needs something to show.
    EXPECT_GT(nightMinutesWithSteps, 0);
}

} // namespace
} // namespace trek::emu

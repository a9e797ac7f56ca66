// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/datatestsupport.h"
#include "reports/sleepmoves.h"
#include "reports/sleeptexts.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

class SleepWindowTest : public test::DataTest
{};

void ExpectWindow(const SleepWindow& window, int start, int end)
{
    EXPECT_EQ(window.startHour(), start);
    EXPECT_EQ(window.endHour(), end);
}

TEST_F(SleepWindowTest, SettingsAreClampedIntoANonEmptyWindow)
{
    ExpectWindow(ReadSleepWindow(), 20, 33);
    ExpectWindow(SleepWindow::Clamped(-3, 60), 0, 48);
    ExpectWindow(SleepWindow::Clamped(20, 0), 20, 21);
    ExpectWindow(SleepWindow::Clamped(20, 20), 20, 21);
    ExpectWindow(SleepWindow::Clamped(99, 99), 47, 48);

    dir.write(QStringLiteral("Trekkomat2.INI"), "[Sleep]\nStartHour=-3\nEndHour=60\n");
    ExpectWindow(ReadSleepWindow(), 0, 48);
    ASSERT_TRUE(WriteSleepWindow(SleepWindow::Clamped(22, 31)).ok());
    EXPECT_EQ(settingInt("Sleep", "StartHour"), 22);
    EXPECT_EQ(settingInt("Sleep", "EndHour"), 31);
    ExpectWindow(ReadSleepWindow(), 22, 31);
}

TEST_F(SleepWindowTest, TitleDateLabelsAndClassNames)
{
    const SleepWindow night;
    const auto labels = [](QDate date, const SleepWindow& window) {
        const SleepDateLabels dates = SleepChartDates({date, window});
        return QString(dates.start + u'|' + dates.end).toStdString();
    };
    EXPECT_EQ(labels(QDate(2023, 2, 28), night), " 2/28| 3/01");
    EXPECT_EQ(labels(QDate(2024, 2, 28), night), " 2/28| 2/29");
    EXPECT_EQ(labels(QDate(2024, 12, 31), night), "12/31| 1/01");
    EXPECT_EQ(labels(QDate(2024, 3, 5), SleepWindow::Clamped(0, 23)), " 3/05| 3/05");
    EXPECT_EQ(labels(QDate(2024, 3, 5), SleepWindow::Clamped(0, 24)), " 3/05| 3/06");

    EXPECT_EQ(SleepTitle(QDate(2024, 3, 5), false).toStdString(), "2024-3-5 Sleep Quaility ...");
    EXPECT_EQ(SleepTitle(QDate(2024, 3, 5), true).toStdString(),
              "2024-3-5 Sleep Quaility ...(DEBUG)");
    EXPECT_EQ(SleepClockText(night, 250).toStdString(), "00:10");

    EXPECT_EQ(ClassifyDepth(500), SleepClass::Awake);
    EXPECT_EQ(ClassifyDepth(499), SleepClass::Sleep);
    EXPECT_EQ(ClassifyDepth(150), SleepClass::Sleep);
    EXPECT_EQ(ClassifyDepth(149), SleepClass::DeepSleep);
    EXPECT_EQ(SleepClassName(SleepClass::DeepSleep).toStdString(), "Deep-Sleep");
    appState().language = 1;
    EXPECT_EQ(SleepClassName(SleepClass::Sleep).toStdString(), "淺眠");
}

struct MoveCase
{
    const char* what;
    SleepMove move;
    QDate date;
    int start;
    int end;
    QDate newDate; // null: nothing changes
    int newStart = 0;
    int newEnd = 0;
    bool analyse = true;
    bool write = true;
};

TEST(SleepMoves, EveryButtonAtItsEdges)
{
    using enum SleepMove;
    const QDate march5(2024, 3, 5);
    const QDate march31(2024, 3, 31);
    const QDate lastOfYear(2024, 12, 31);
    const std::vector<MoveCase> cases{
        {"start earlier", StartEarlier, march5, 20, 33, march5, 19, 33},
        {"start earlier past midnight", StartEarlier, march5, 0, 10, QDate(2024, 3, 4), 23, 33},
        {"start earlier keeps a late end", StartEarlier, march5, 0, 40, QDate(2024, 3, 4), 23, 40},
        {"start earlier to an empty window", StartEarlier, march5, 0, 23, {}},
        {"start earlier on the 1st", StartEarlier, QDate(2024, 3, 1), 0, 10, {}},
        {"start later", StartLater, march5, 20, 33, march5, 21, 33},
        {"start later past midnight", StartLater, march5, 23, 33, QDate(2024, 3, 6), 0, 9},
        {"start later into April", StartLater, march31, 23, 33, QDate(2024, 4, 1), 0, 9},
        {"start later into January", StartLater, lastOfYear, 23, 40, QDate(2025, 1, 1), 0, 16},
        {"start later from the settings' 30", StartLater, march5, 30, 40, QDate(2024, 3, 6), 7, 16},
        {"start later to the last hour", StartLater, march5, 21, 23, march5, 22, 23, false, false},
        {"start later to an empty window", StartLater, march5, 22, 23, {}},
        {"start later past midnight, empty", StartLater, march5, 23, 24, {}},
        {"end earlier", EndEarlier, march5, 20, 33, march5, 20, 32},
        {"end earlier below one hour", EndEarlier, march5, 20, 21, {}},
        {"end later", EndLater, march5, 20, 33, march5, 20, 34},
        {"end later at 48", EndLater, march5, 20, 48, QDate(2024, 3, 6), 20, 48, true, false},
        {"end later at 48 on the 30th", EndLater, QDate(2024, 3, 30), 20, 48, {}},
        {"previous day", PreviousDay, march5, 20, 33, QDate(2024, 3, 4), 20, 33, true, false},
        {"previous day on the 1st", PreviousDay, QDate(2024, 3, 1), 20, 33, {}},
        {"next day", NextDay, march5, 20, 33, QDate(2024, 3, 6), 20, 33, true, false},
        {"next day into April", NextDay, march31, 20, 48, QDate(2024, 4, 1), 20, 48, true, false},
        {"next day into January", NextDay, lastOfYear, 20, 33, QDate(2025, 1, 1), 20, 33, true,
         false},
        {"next day into March", NextDay, QDate(2023, 2, 28), 20, 33, QDate(2023, 3, 1), 20, 33,
         true, false},
    };
    for (const MoveCase& c : cases) {
        const SleepPlace place{c.date, SleepWindow::Clamped(c.start, c.end)};
        const SleepMoveResult result = MoveSleepWindow(place, c.move);
        if (!c.newDate.isValid()) {
            EXPECT_EQ(result.place, place) << c.what;
            EXPECT_FALSE(result.analyse || result.writeSettings || result.newMonth) << c.what;
            continue;
        }
        EXPECT_EQ(result.place.date, c.newDate) << c.what;
        EXPECT_EQ(result.place.window.startHour(), c.newStart) << c.what;
        EXPECT_EQ(result.place.window.endHour(), c.newEnd) << c.what;
        EXPECT_EQ(result.analyse, c.analyse) << c.what;
        EXPECT_EQ(result.writeSettings, c.write) << c.what;
        EXPECT_EQ(result.newMonth, c.newDate.month() != c.date.month()) << c.what;
    }
}

} // namespace
} // namespace trek

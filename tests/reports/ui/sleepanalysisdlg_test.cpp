// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/datatestsupport.h"
#include "doubles/simdesktopservices.h"
#include "platform/processrandom.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "widgets/hoverbutton2.h"

#include <QDir>
#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

class SleepDialogTest : public test::DataTest
{
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        appState().services.desktop = &desktop;
        platform::ProcessRandom::instance().seed(1);
        QDir().mkpath(dir.filePath(QStringLiteral("Data")));
        // The evening of the 31st is quiet in March's file.
        dir.write(storeFile(2024, 3), MonthBytes({{SlotIndex(31, 7, 0), 80}}));
    }

    platform::SimDesktopServices desktop;
};

TEST_F(SleepDialogTest, TheNightOfTheMonthsLastDayGoesOnInTheNextMonthsStore)
{
    {
        CSleepAnalysisDlg quiet(QDate(2024, 3, 31));
        EXPECT_EQ(quiet.windowTitle(), QStringLiteral("2024-3-31 Sleep Quaility ..."));
        EXPECT_EQ(quiet.FigureText(1), QStringLiteral("09:01\nAwake Time"));
        EXPECT_EQ(quiet.FigureText(3), QStringLiteral("99%\nEfficiency"));
    }
    // Half an hour of walking from 02:00 on April 1st, kept in April's file, wakes the sleeper.
    std::vector<std::pair<int, int>> walk;
    for (int m = 0; m < 30; ++m) {
        walk.push_back({SlotIndex(1, 2, m), 120});
    }
    dir.write(storeFile(2024, 4), MonthBytes(walk));
    CSleepAnalysisDlg dialog(QDate(2024, 3, 31));
    EXPECT_EQ(dialog.FigureText(1), QStringLiteral("02:03\nAwake Time"));

    // The next day is in April: the title follows and the window stays where the settings have it.
    dialog.MoveButton(SleepMove::NextDay)->click();
    EXPECT_EQ(dialog.Place().date, QDate(2024, 4, 1));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("2024-4-1 Sleep Quaility ..."));
    EXPECT_EQ(settingInt("Sleep", "StartHour"), -999999);
}

TEST_F(SleepDialogTest, WindowMovesAreKeptAndTheOperatorGestureMarksTheTitle)
{
    ASSERT_TRUE(setting::SleepStartHour.Write(20));
    ASSERT_TRUE(setting::SleepEndHour.Write(20)); // an empty window opens as one hour
    desktop.setLeftShiftDown(true);
    desktop.setLeftCtrlDown(true);
    CSleepAnalysisDlg dialog(QDate(2024, 3, 5));
    EXPECT_TRUE(dialog.windowTitle().endsWith(QStringLiteral("...(DEBUG)")));
    EXPECT_EQ(dialog.Place().window.endHour(), 21);

    dialog.MoveButton(SleepMove::EndEarlier)->click(); // would empty the window: nothing
    EXPECT_EQ(dialog.Place().window.endHour(), 21);
    dialog.MoveButton(SleepMove::EndLater)->click();
    dialog.MoveButton(SleepMove::StartEarlier)->click();
    EXPECT_EQ(settingInt("Sleep", "StartHour"), 19);
    EXPECT_EQ(settingInt("Sleep", "EndHour"), 22);
    EXPECT_EQ(dialog.FigureText(3), QStringLiteral("99%\nEfficiency"));
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "data/datatestsupport.h"
#include "trends/ui/trendchartctrl.h"
#include "trends/ui/trendsdlg.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// The dialog is drawn at 200 %, where a saved picture must keep every device pixel; the variable
// must be set before the application object exists, which main() creates before any test runs.
const bool DoubleScale = qputenv("QT_SCALE_FACTOR", "2");

} // namespace

namespace trek {
namespace {

using Figure = CTrendsDlg::Figure;
using test::MonthBytes;
using test::SlotIndex;

const QDate LastDay(2024, 4, 30);

// April 2024: day d has d × 1,000 steps, in minutes of 100 from 10:00; March has none.
class TrendsDialogTest : public test::DataTest
{
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        std::vector<std::pair<int, int>> april;
        for (int day = 1; day <= 30; ++day) {
            for (int minute = 0; minute < 10 * day; ++minute) {
                april.push_back({SlotIndex(day, 10, 0) + minute, 100});
            }
        }
        dir.write(storeFile(2024, 4), MonthBytes(april));
        dir.write(storeFile(2024, 3), MonthBytes({}));
    }

    static std::string Text(const CTrendsDlg& dialog, Figure figure)
    {
        return dialog.FigureText(figure).toStdString();
    }

    QStringList SettingsLines() const
    {
        return QString::fromUtf8(dir.read(QStringLiteral("Trekkomat2.INI")))
            .split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    }
};

// The last 30 days a bar each, then the year a bar a week with the figures of the year, then
// 90 days a bar each again.
TEST_F(TrendsDialogTest, ARangeSwitchShowsItsBarsAndFigures)
{
    ASSERT_TRUE(DoubleScale);
    CTrendsDlg dialog(LastDay);
    EXPECT_EQ(dialog.StepChart()->SlotCount(), 30);
    EXPECT_EQ(dialog.StepChart()->Bars().back().value, 30000.0);
    EXPECT_EQ(Text(dialog, Figure::Average), "15500 steps a day");
    EXPECT_EQ(Text(dialog, Figure::BestDay), "2024/04/30  30000");
    EXPECT_EQ(Text(dialog, Figure::GoalDays), "21 of 30");
    EXPECT_EQ(Text(dialog, Figure::CurrentRun), "21 days");
    EXPECT_TRUE(dialog.StepChart()->accessibleDescription().startsWith(
        QStringLiteral("2024/04/01 ~ 2024/04/30: 465000 steps on 30 days with data")));

    dialog.DaysButton(365)->click();
    EXPECT_EQ(dialog.ShownDays(), 365);
    // From the week of 2023-05-02 (Sunday April 30th) to that of 2024-04-30.
    EXPECT_EQ(dialog.StepChart()->SlotCount(), 53);
    // Only the weeks with a stored day: from that of Friday March 1st to the last, the week of
    // Sunday March 31st in both files.
    const auto& weeks = dialog.StepChart()->Bars();
    ASSERT_EQ(weeks.size(), 10U);
    EXPECT_EQ(weeks.front().slot, 43);
    EXPECT_EQ(weeks.back().slot, 52);
    EXPECT_EQ(weeks.back().value, 29000.0); // the 28th to the 30th
    EXPECT_EQ(Text(dialog, Figure::GoalDays), "21 of 365");
    EXPECT_EQ(Text(dialog, Figure::TotalSteps), "465000");

    dialog.DaysButton(90)->click();
    EXPECT_EQ(dialog.StepChart()->SlotCount(), 90);
    EXPECT_EQ(Text(dialog, Figure::Average), "15500 steps a day");
}

// A goal out of bounds is refused with them and nothing written; a new goal is the one key
// written and is drawn at once.
TEST_F(TrendsDialogTest, AChangedGoalIsWrittenAloneAndRedrawn)
{
    CTrendsDlg dialog(LastDay);
    EXPECT_EQ(dialog.StepChart()->Levels().front().value, 10000.0);
    for (const char* typed : {"99", "100001", "ten thousand"}) {
        dialog.GoalBox()->setText(QLatin1String(typed));
        dialog.GoalButton()->click();
    }
    ASSERT_EQ(ui.messages.size(), 3);
    EXPECT_EQ(ui.messages.front(),
              QStringLiteral("Daily goal must be between 100 steps and 100000 steps."));
    EXPECT_FALSE(dir.exists(QStringLiteral("Trekkomat2.INI")));

    dialog.GoalBox()->setText(QStringLiteral(" 25000 "));
    dialog.GoalButton()->click();
    EXPECT_EQ(SettingsLines(),
              (QStringList{QStringLiteral("[Trends]"), QStringLiteral("DailyGoal=25000")}));
    EXPECT_EQ(dialog.GoalBox()->text(), QStringLiteral("25000"));
    EXPECT_EQ(dialog.StepChart()->Levels().front().value, 25000.0);
    EXPECT_EQ(Text(dialog, Figure::GoalDays), "6 of 30");
    EXPECT_EQ(Text(dialog, Figure::LongestRun), "6 days");
    // A dialog opened afterwards starts from the stored goal.
    EXPECT_EQ(CTrendsDlg(LastDay).Goal(), 25000);
}

// Each chart saves what it shows: the days as CSV that reads back, the picture with every device
// pixel of the screen.
TEST_F(TrendsDialogTest, ChartsSaveTheirDaysAndTheirPicture)
{
    CTrendsDlg dialog(LastDay);
    dialog.show();
    const QString csv = dir.filePath(QStringLiteral("steps.csv"));
    ASSERT_TRUE(dialog.SaveStepsCsv(csv).ok());
    const QStringList lines =
        QString::fromUtf8(dir.read(QStringLiteral("steps.csv"))).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 31);
    EXPECT_EQ(lines.front(),
              QStringLiteral("date,steps,active_minutes,distance_km,calories,goal_run"));
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("2024-04-30,30000,300,")));
    EXPECT_TRUE(lines.back().endsWith(QStringLiteral(",21")));

    const QString png = dir.filePath(QStringLiteral("steps.png"));
    ASSERT_TRUE(dialog.SaveStepsPicture(png).ok());
    const QImage picture(png);
    EXPECT_EQ(picture.size(), dialog.StepChart()->size() * 2);
    EXPECT_EQ(picture, dialog.StepChart()->Picture().convertedTo(picture.format()));

    EXPECT_FALSE(dialog.SaveSleepCsv(dir.filePath(QStringLiteral("Data"))).ok());
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
// The missions tab over a real settings file: Start and Stop, what each mission shows, the
// completion box, and the Enter key.

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/datatestsupport.h"
#include "data/stepcounters.h"
#include "doubles/simsystemservices.h"
#include "goals/ui/missionpage.h"
#include "widgets/colorlabel.h"
#include "widgets/completionbox.h"
#include "widgets/textprogressbar.h"
#include "widgets/wbmessages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace trek {
namespace {

constexpr std::uint32_t Minute = 60000;

class MissionPageTest : public test::DataTest
{
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        appState().services.system = &system;
        system.setMissionClock(5000);
    }

    void settings(const char* text)
    {
        dir.write(QStringLiteral("Trekkomat2.INI"), text);
        ReadStartSettings();
    }

    // Records the boxes instead of opening them; `during` runs while a box stands open.
    void recordBoxes(CMissionPage& page, const std::function<void()>& during = {})
    {
        page.SetBoxRunner([this, during](CCompletionBox& box) {
            boxes << box.Message();
            if (during) {
                during();
            }
        });
    }

    static void start(CMissionPage& page, int mission, int kind, const QString& target)
    {
        page.KindButton(mission, kind)->click();
        page.TargetEdit(mission)->setText(target);
        page.StartButton(mission)->click();
    }

    static void refresh(CMissionPage& page) { WbMessageEvent::send(&page, WbMessage::Refresh); }

    platform::SimSystemServices system;
    QStringList boxes;
};

TEST_F(MissionPageTest, ARunningMissionShowsItsProgressEvenOnAPageNeverShown)
{
    settings("[Personal]\nStepSize=70\n");
    CMissionPage page;
    recordBoxes(page);
    start(page, 0, 0, QStringLiteral("10000"));
    EXPECT_EQ(settingInt("Mission", "A_Status"), 1);
    EXPECT_EQ(settingInt("Mission", "A_StartTime"), 5000);

    // What a collection leaves: the counters in the file, then a refresh.
    ASSERT_TRUE(setting::Missions[0].curSteps.Write(2500));
    ReloadCounters();
    refresh(page);
    EXPECT_EQ(page.ProgressBar(0)->GetPos(), 25);
    EXPECT_EQ(page.ProgressBar(0)->GetWindowText(), QStringLiteral("25 % Compeleted"));
    EXPECT_FALSE(page.ProgressBar(0)->isHidden());
    EXPECT_TRUE(page.ProgressBar(1)->isHidden());
    EXPECT_TRUE(page.RunningLabel(1)->isHidden());

    // Running, A takes no new kind or target; B, stopped, takes both.
    EXPECT_FALSE(page.KindButton(0, 2)->isEnabled() || page.TargetEdit(0)->isEnabled() ||
                 page.StartButton(0)->isEnabled());
    EXPECT_TRUE(page.StopButton(0)->isEnabled() && page.StartButton(1)->isEnabled());
    EXPECT_FALSE(page.StopButton(1)->isEnabled());

    system.setMissionClock(5000 + (1440 + 2 * 60 + 3) * Minute);
    page.UpdateRunningTexts();
    EXPECT_EQ(page.RunningLabel(0)->text(), QStringLiteral("Running 1 Days 2 Hours 3 Minutes"));
    EXPECT_TRUE(page.RunningTimer()->isActive() && page.RunningTimer()->interval() == 30000);
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(MissionPageTest, ImperialDistanceTargetsAreMilesAndStopKeepsTheTypedText)
{
    settings("[Current]\nUnitMode=1\n[Mission]\nB_Mode=0\nB_Goes=2.5\n");
    CMissionPage page;
    recordBoxes(page);
    page.KindButton(0, 1)->click();
    EXPECT_EQ(page.Caption(0)->text(), QStringLiteral("Target Distance(Mile)"));
    EXPECT_EQ(page.Caption(1)->text(), QStringLiteral("Target Steps"));
    page.TargetEdit(0)->setText(QStringLiteral("5"));
    page.StartButton(0)->click();
    EXPECT_EQ(settingText("Mission", "A_Goes"), QStringLiteral("8.000000"));
    EXPECT_EQ(page.TargetEdit(0)->text(), QStringLiteral("5.000"));
    EXPECT_EQ(page.TargetEdit(1)->text(), QStringLiteral("2.500")); // no distance: unconverted

    page.StopButton(0)->click();
    EXPECT_EQ(settingInt("Mission", "A_Status"), 0);
    EXPECT_EQ(settingText("Mission", "A_Goes"), QStringLiteral("0.000000"));
    EXPECT_EQ(page.TargetEdit(0)->text(), QStringLiteral("5.000"));
    EXPECT_TRUE(page.ProgressBar(0)->isHidden());
    EXPECT_TRUE(page.TargetEdit(0)->isEnabled());
}

TEST_F(MissionPageTest, StartRefusesATinyTargetSilentlyANegativeOneAndAFailedWriteWithReasons)
{
    settings("[Mission]\nA_Mode=0\n");
    CMissionPage page;
    recordBoxes(page);
    const QByteArray before = dir.read(QStringLiteral("Trekkomat2.INI"));
    start(page, 0, 0, QStringLiteral("0.005"));
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2.INI")), before);
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(page.StartButton(0)->isEnabled());

    start(page, 0, 0, QStringLiteral("1e95"));
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2.INI")), before);
    EXPECT_EQ(ui.statusTexts.size(), 1);
    start(page, 0, 0, QStringLiteral("-5000"));
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2.INI")), before);
    EXPECT_EQ(ui.statusTexts.value(1), QStringLiteral("Target Steps must be above 0."));

    // A settings file that cannot be replaced: the mission stays stopped, and says why.
    QFile::remove(dir.filePath(QStringLiteral("Trekkomat2.INI")));
    QDir().mkpath(dir.filePath(QStringLiteral("Trekkomat2.INI")));
    start(page, 0, 0, QStringLiteral("100"));
    EXPECT_FALSE(appState().values.missions[0].running());
    EXPECT_TRUE(page.StartButton(0)->isEnabled());
    EXPECT_EQ(ui.statusTexts.size(), 3);
}

TEST_F(MissionPageTest, RunningTimeGoesOnAcrossARestart)
{
    // Started past 2^31 on the mission clock, which wraps before the program starts again.
    system.setMissionClock(4294000000U);
    settings("");
    {
        CMissionPage page;
        start(page, 0, 0, QStringLiteral("10000"));
    }
    EXPECT_EQ(settingText("Mission", "A_StartTime"), QStringLiteral("-967296"));
    system.setMissionClock(4294000000U + (2 * 1440 + 5 * 60 + 7) * Minute);
    ReadStartSettings();
    const CMissionPage page;
    EXPECT_EQ(page.RunningLabel(0)->text(), QStringLiteral("Running 2 Days 5 Hours 7 Minutes"));
}

TEST_F(MissionPageTest, CompletionBoxOnceWhenACollectionCompletesAndWhenTheTabIsShown)
{
    // B is complete from the start; A, at 10 of 20 steps, is completed by a collection.
    settings("[Mission]\nA_Status=1\nA_Goes=20\nA_CurSteps=10\n"
             "B_Status=1\nB_Mode=0\nB_Goes=100\nB_CurSteps=100\n");
    CMissionPage page;
    // A refresh while a box stands open must not open another one over it.
    recordBoxes(page, [&page] { refresh(page); });
    const auto settle = [] {
        QCoreApplication::processEvents();
    };
    // The start, a language change or a plug-in, a reset: none congratulates.
    settle();
    refresh(page);
    WbMessageEvent::send(&page, WbMessage::DataChanged);
    settle();
    EXPECT_TRUE(boxes.isEmpty());

    appState().link.collectingLetter = 'E';
    ASSERT_TRUE(setting::Missions[0].curSteps.Write(40));
    ReloadCounters();
    WbMessageEvent::send(&page, WbMessage::DataChanged);
    refresh(page);
    settle();
    EXPECT_TRUE(boxes.isEmpty());
    // The collection's last notice comes after it ended: A, only A, once.
    appState().link.collectingLetter = 0;
    WbMessageEvent::send(&page, WbMessage::DataChanged);
    settle();
    WbMessageEvent::send(&page, WbMessage::DataChanged);
    refresh(page);
    settle();
    const QString a = QStringLiteral(", You complete the mission-A");
    const QString b = QStringLiteral(", You complete the mission-B");
    EXPECT_EQ(boxes, QStringList{a});

    // Showing the tab congratulates on both, one box at a time.
    boxes.clear();
    page.show();
    settle();
    EXPECT_EQ(boxes, (QStringList{a, b}));

    // Never over another box: it waits until that one is answered.
    boxes.clear();
    page.hide();
    QDialog other;
    other.setWindowModality(Qt::ApplicationModal);
    other.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &other);
    page.show();
    settle();
    EXPECT_TRUE(boxes.isEmpty());
    other.accept();
    settle();
    settle();
    EXPECT_EQ(boxes, (QStringList{a, b}));
}

TEST_F(MissionPageTest, EnterInATargetBoxClicksNoButton)
{
    settings("");
    QDialog window; // the main window is a dialog, which gives Enter to its default button
    auto* layout = new QVBoxLayout(&window);
    auto* page = new CMissionPage(&window);
    layout->addWidget(page);
    recordBoxes(*page);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // With a target A would start from, Enter in B's box must not press "Start A"; nor, in
    // either box, any other button.
    page->TargetEdit(0)->setText(QStringLiteral("5000"));
    for (int mission : {1, 0}) {
        QLineEdit* target = page->TargetEdit(mission);
        target->setFocus();
        target->clear();
        QTest::keyClicks(target, QStringLiteral("5000"));
        QTest::keyClick(target, Qt::Key_Return);
        QTest::keyClick(target, Qt::Key_Enter);
        EXPECT_EQ(target->text(), QStringLiteral("5000"));
    }
    EXPECT_FALSE(appState().values.missions[0].running());
    EXPECT_FALSE(appState().values.missions[1].running());
    EXPECT_EQ(settingInt("Mission", "A_Status"), -999999); // nothing written
    for (QPushButton* button : page->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();
    }
}

} // namespace
} // namespace trek

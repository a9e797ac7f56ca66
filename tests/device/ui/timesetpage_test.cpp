// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/simulatedwristbands.h"
#include "device/ui/timesetpage.h"
#include "doubles/simdesktopservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace trek {
namespace {

class TimeSetPageTest : public test::SimulatedWristbandTest
{
protected:
    void SetUp() override
    {
        SimulatedWristbandTest::SetUp();
        appState().services.desktop = &desktop;
    }
    // The page made once the drives are there, as the window makes it.
    CTimeSetPage& page()
    {
        if (!m_page) {
            m_page = std::make_unique<CTimeSetPage>();
        }
        return *m_page;
    }
    bool sentAnything() { return !transport().sentRequests().empty(); }

    platform::SimDesktopServices desktop;

private:
    std::unique_ptr<CTimeSetPage> m_page;
};

TEST_F(TimeSetPageTest, NineDrivesGiveEightButtonsThatTellWhereTheyAreMounted)
{
    QStringList options;
    for (char letter = 'D'; letter <= 'L'; ++letter) {
        const QString name = QString(QChar::fromLatin1(letter)).toLower();
        makeFolder(name, {});
        options << QString(QChar::fromLatin1(letter)) + u'=' + name;
    }
    useDrives(options);

    ASSERT_EQ(page().DriveButtonCount(), 8);
    EXPECT_EQ(page().DriveButton(0)->text(), QStringLiteral("D:"));
    EXPECT_EQ(page().DriveButton(7)->text(), QStringLiteral("K:"));
    EXPECT_TRUE(page().DriveButton(1)->toolTip().contains(dir.filePath(QStringLiteral("e"))));
    EXPECT_EQ(page().DriveButton(1)->accessibleDescription(), page().DriveButton(1)->toolTip());
    EXPECT_EQ(page().DriveButton(1)->accessibleName(), QStringLiteral("Drive E:"));

    // Choosing E makes any removable drive the wristband's: it gets the marker, and its button
    // the large letter.
    page().DriveButton(1)->click();
    EXPECT_EQ(appState().link.driveLetter, 'E');
    EXPECT_TRUE(dir.exists(QStringLiteral("e/USBWATCH.DAT")));
    EXPECT_GT(page().DriveButton(1)->font().pointSizeF(),
              page().DriveButton(0)->font().pointSizeF());
    EXPECT_TRUE(page().TimeSetButton()->isEnabled());
    EXPECT_TRUE(page().AutoButton()->isHidden()); // a file model has no Auto
    EXPECT_TRUE(page().ClockCheckButton()->isHidden());
}

TEST_F(TimeSetPageTest, AutoFollowsTheMeasuredCorrectionAndManualTheSlider)
{
    useDrives(
        {QStringLiteral("F=k9e:") + QFileInfo(makeImage(QStringLiteral("f.img"))).fileName()});
    page().DriveButton(0)->click();
    ASSERT_TRUE(appState().link.passThrough);
    EXPECT_FALSE(page().ClockCheckButton()->isHidden());
    EXPECT_TRUE(page().ClockCheckButton()->isEnabled());

    // A wristband chosen by hand, not found by discovery, leaves the page on Manual.
    EXPECT_TRUE(page().ManualButton()->isChecked());
    page().CorrectionSlider()->setValue(-7);
    EXPECT_EQ(page().CorrectionLabel()->text(), QStringLiteral("Slower 7 sec/day"));
    EXPECT_TRUE(page().CorrectionSlider()->isEnabled());

    appState().wristband.clockCorrection = 4; // what the last clock check measured
    page().AutoButton()->click();
    EXPECT_FALSE(appState().link.plugged);
    EXPECT_EQ(page().CorrectionSlider()->value(), 4);
    EXPECT_EQ(page().CorrectionLabel()->text(), QStringLiteral("Faster 4 sec/day"));
    EXPECT_FALSE(page().CorrectionSlider()->isEnabled());
}

TEST_F(TimeSetPageTest, TimeSetSendsWhatThePageShows)
{
    useDrives(
        {QStringLiteral("F=k9e:") + QFileInfo(makeImage(QStringLiteral("f.img"))).fileName()});
    page().DriveButton(0)->click();
    page().ManualButton()->click();
    page().CorrectionSlider()->setValue(12);
    page().TwelveHourButton()->click();
    page().SleepMonitorBox()->click();
    ASSERT_TRUE(page().SleepStartHourList()->isEnabled());
    page().SleepStartHourList()->setCurrentIndex(22);
    page().EveryDayButton()->click();

    page().TimeSetButton()->click();

    const emu::PassThroughWristband& wristband = wristbandAt('F');
    EXPECT_TRUE(wristband.twelveHourMode());
    EXPECT_EQ(wristband.clockCorrection(), 12);
    EXPECT_EQ(wristband.settings().mid(160, 2), QByteArray("\x03\x16", 2));
    EXPECT_EQ(ui.statusTexts.last(), QStringLiteral(" >> TimeSet: 2026-6-10 14:30:15, (12)"));
    EXPECT_EQ(page().CorrectionSlider()->value(), 12);
}

TEST_F(TimeSetPageTest, CollectionDisablesTheButtonsAndTheirHandlersReturn)
{
    useDrives(
        {QStringLiteral("F=k9e:") + QFileInfo(makeImage(QStringLiteral("f.img"))).fileName()});
    page().DriveButton(0)->click();
    transport().clearSentRequests();
    ui.clear();

    appState().link.collectingLetter = 'F';
    page().Fill();
    EXPECT_FALSE(page().DriveButton(0)->isEnabled());
    EXPECT_FALSE(page().TimeSetButton()->isEnabled());
    EXPECT_FALSE(page().ClockCheckButton()->isEnabled());

    // A click queued before the collection began still reaches the handlers.
    page().OnDriveButton(0);
    page().OnTimeSet();
    page().OnClockCheck();
    desktop.setLeftShiftDown(true);
    desktop.setLeftCtrlDown(true);
    int requests = 0;
    QObject::connect(&page(), &CTimeSetPage::factorySetupRequested, [&requests] { ++requests; });
    page().OnTimeSet();

    EXPECT_FALSE(sentAnything());
    EXPECT_EQ(requests, 0);
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(appState().link.driveLetter, 'F');
}

TEST_F(TimeSetPageTest, ShiftCtrlOnTimeSetAsksForTheFactorySetupWithDiscoveryHeld)
{
    useDrives(
        {QStringLiteral("F=k9e:") + QFileInfo(makeImage(QStringLiteral("f.img"))).fileName()});
    page().DriveButton(0)->click();
    transport().clearSentRequests();
    desktop.setLeftShiftDown(true);
    desktop.setLeftCtrlDown(true);
    QList<bool> suspendedDuring;
    QObject::connect(&page(), &CTimeSetPage::factorySetupRequested,
                     [&suspendedDuring] { suspendedDuring << appState().link.discoverySuspended; });

    page().TimeSetButton()->click();

    EXPECT_EQ(suspendedDuring, QList<bool>{true});
    EXPECT_FALSE(appState().link.discoverySuspended);
    EXPECT_EQ(appState().link.driveLetter, 0); // the wristband of before is forgotten
    EXPECT_FALSE(page().TimeSetButton()->isEnabled());
    EXPECT_FALSE(sentAnything());
}

} // namespace
} // namespace trek

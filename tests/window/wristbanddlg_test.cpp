// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/startup.h"
#include "app/userinterface.h"
#include "goals/ui/personalinfopage.h"
#include "reports/ui/summarypage.h"
#include "tempdir.h"
#include "widgets/hoverbutton2.h"
#include "widgets/tabpage.h"
#include "widgets/textprogressbar.h"
#include "window/fittedlabel.h"
#include "window/pagefactory.h"
#include "window/startupoptions.h"
#include "window/startupview.h"
#include "window/weblink.h"
#include "window/windowshot.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCalendarWidget>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

namespace trek {
namespace {

constexpr char PersonalData[] = "[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=75\r\n";

class WristbandDlgTest : public test::WindowTest
{
protected:
    std::unique_ptr<CWristbandDlg> open()
    {
        CWristbandDlg::Options options;
        options.updateCheckAllowed = false;
        options.startDiscovery = false;
        return std::make_unique<CWristbandDlg>(options);
    }

    // One spy pair per page, in tab order.
    struct PageSpies
    {
        std::vector<std::unique_ptr<QSignalSpy>> dataChanged;
        std::vector<std::unique_ptr<QSignalSpy>> refreshed;
    };
    static PageSpies spyOnPages(const CWristbandDlg& window)
    {
        PageSpies spies;
        for (int index = 0; index < PageCount; ++index) {
            CTabPage* page = window.TabControl()->Page(index);
            spies.dataChanged.push_back(
                std::make_unique<QSignalSpy>(page, &CTabPage::dataChangedHandled));
            spies.refreshed.push_back(
                std::make_unique<QSignalSpy>(page, &CTabPage::refreshHandled));
        }
        return spies;
    }
    static std::vector<int> counts(const std::vector<std::unique_ptr<QSignalSpy>>& spies)
    {
        std::vector<int> result;
        result.reserve(spies.size());
        for (const auto& spy : spies) {
            result.push_back(static_cast<int>(spy->count()));
        }
        return result;
    }
};

TEST_F(WristbandDlgTest, TitleCarriesProductAndVersionWithTheirBlanks)
{
    setSettings("[Advance]\r\nLanguage=0\r\n");
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("K7 Trekkomat_2 , Ver 2.010    2014/09/01"));
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(WristbandDlgTest, SimplifiedChineseSettingChangesTitleAndTabs)
{
    setSettings("[Advance]\r\nLanguage=2\r\n");
    const auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("K7") + GetLangText(TextRow::ProgramName, 2) +
                                         QStringLiteral(", Ver 2.010    2014/09/01"));
    EXPECT_EQ(window->TabControl()->tabText(0), GetLangText(TextRow::Report, 2));
    EXPECT_EQ(window->TabControl()->tabText(5), GetLangText(TextRow::UserOption, 2));
}

TEST_F(WristbandDlgTest, SixPagesInTheirOrderWithEnglishTexts)
{
    setSettings(QByteArray("[Advance]\r\nLanguage=0\r\n") + PersonalData);
    const auto window = open();
    const CWristbandTab* tab = window->TabControl();
    ASSERT_EQ(tab->count(), 6);
    const QStringList texts{
        QStringLiteral("Report"),         QStringLiteral("DayLife"),
        QStringLiteral("Mission/Target"), QStringLiteral("Personal Information"),
        QStringLiteral("Maintain"),       QStringLiteral("User Option")};
    for (int index = 0; index < 6; ++index) {
        EXPECT_EQ(tab->tabText(index), texts.at(index));
    }
}

TEST_F(WristbandDlgTest, OpensOnTheReportWhenPersonalDataIsComplete)
{
    setSettings(PersonalData);
    const auto window = open();
    EXPECT_EQ(window->TabControl()->currentIndex(), static_cast<int>(PageIndex::Report));
}

TEST_F(WristbandDlgTest, OpensOnPersonalInformationWhileAnyBodyValueIsMissing)
{
    for (const QByteArray& settings :
         {QByteArray(), QByteArray("[Personal]\r\nHeight=172\r\nWeight_g=68000\r\n"),
          QByteArray("[Personal]\r\nHeight=0\r\nWeight_g=68000\r\nStepSize=75\r\n"),
          QByteArray("[Personal]\r\nHeight=172\r\nWeight_g=-1\r\nStepSize=75\r\n")}) {
        resetAppState();
        InitialiseStartupValues(QStringLiteral("/trek"));
        setSettings(settings);
        const auto window = open();
        EXPECT_EQ(window->TabControl()->currentIndex(),
                  static_cast<int>(PageIndex::PersonalInformation))
            << settings.toStdString();
    }
}

TEST_F(WristbandDlgTest, AChosenStartPageWinsOverMissingBodyValues)
{
    setSettings("[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=0\r\n");
    const auto window = open();
    ASSERT_NE(qobject_cast<CPersonalInfoPage*>(window->TabControl()->currentWidget()), nullptr);
    StartupOptions options;
    options.page = static_cast<int>(PageIndex::Report);
    ApplyStartupView(*window, options);
    EXPECT_EQ(window->TabControl()->currentIndex(), static_cast<int>(PageIndex::Report));
}

TEST_F(WristbandDlgTest, SavedPersonalDataRedrawsTheOtherPagesAtOnce)
{
    setSettings(QByteArray("[Summary]\r\nTotalSteps=100000\r\nTotalPeriod=600\r\n") + PersonalData);
    const auto window = open();
    auto* summary = qobject_cast<CSummaryPage*>(
        window->TabControl()->Page(static_cast<int>(PageIndex::DayLife)));
    auto* personal = qobject_cast<CPersonalInfoPage*>(
        window->TabControl()->Page(static_cast<int>(PageIndex::PersonalInformation)));
    ASSERT_TRUE(summary != nullptr && personal != nullptr);
    EXPECT_EQ(summary->ValueText(1), QStringLiteral("   75.000 Km"));

    personal->StepEdit()->setText(QStringLiteral("80"));
    personal->Save();
    EXPECT_EQ(summary->ValueText(1), QStringLiteral("   80.000 Km"));
    EXPECT_EQ(profile.getInt(QStringLiteral("Personal"), QStringLiteral("StepSize"), 0,
                             appState().settingsPath),
              80);
}

TEST_F(WristbandDlgTest, PagesAreBuiltWhenFirstOpenedAndShowWhatChangedBefore)
{
    setSettings(QByteArray("[Summary]\r\nTotalSteps=100000\r\nTotalPeriod=600\r\n") + PersonalData);
    const auto window = open();
    CWristbandTab* tab = window->TabControl();
    for (int index = 0; index < PageCount; ++index) {
        EXPECT_EQ(tab->IsBuilt(index), index == static_cast<int>(PageIndex::Report)) << index;
    }
    // Asked for, a page is built without being opened, and its save reaches the pages built.
    auto* personal = qobject_cast<CPersonalInfoPage*>(
        tab->Page(static_cast<int>(PageIndex::PersonalInformation)));
    ASSERT_NE(personal, nullptr);
    EXPECT_EQ(tab->currentIndex(), static_cast<int>(PageIndex::Report));
    personal->StepEdit()->setText(QStringLiteral("80"));
    personal->Save();
    EXPECT_FALSE(tab->IsBuilt(static_cast<int>(PageIndex::DayLife)));

    // Opened later, the summary reads the step size saved before it existed.
    tab->setCurrentIndex(static_cast<int>(PageIndex::DayLife));
    auto* summary = qobject_cast<CSummaryPage*>(tab->currentWidget());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary, tab->Page(static_cast<int>(PageIndex::DayLife)));
    EXPECT_EQ(summary->ValueText(1), QStringLiteral("   80.000 Km"));
    EXPECT_EQ(tab->tabText(static_cast<int>(PageIndex::DayLife)), QStringLiteral("DayLife"));
}

TEST_F(WristbandDlgTest, StartingSetsTheSharedStartValues)
{
    appState().link.discoverySuspended = true;
    appState().link.driveLetter = 'E';
    appState().wristband.ledPowerToHour = 3;
    setSettings("[Advance]\r\nAutoConfirm=1\r\n");
    const auto window = open();
    const AppState& state = appState();
    EXPECT_TRUE(state.values.autoConfirm);
    EXPECT_FALSE(state.link.discoverySuspended);
    EXPECT_TRUE(state.link.plugged);
    EXPECT_EQ(state.link.driveLetter, 0);
    EXPECT_EQ(state.link.volume, platform::InvalidDeviceHandle);
    EXPECT_FALSE(state.wristband.ledPowerControl);
    EXPECT_EQ(state.wristband.ledPowerFromHour, 8);
    EXPECT_EQ(state.wristband.ledPowerToHour, 18);
    EXPECT_EQ(state.selectedDate, window->Calendar()->selectedDate());
    EXPECT_EQ(state.ui != nullptr, true);
    EXPECT_EQ(window->DriveLabelText(), QStringLiteral("< No Disk >"));
}

TEST_F(WristbandDlgTest, ProgressBarStartsInactiveAndBlue)
{
    const auto window = open();
    const CTextProgressBar* bar = window->ProgressBar();
    EXPECT_FALSE(bar->ShowText());
    EXPECT_EQ(bar->GetPos(), 0);
    EXPECT_EQ(bar->Minimum(), 0);
    EXPECT_EQ(bar->Maximum(), 100);
    EXPECT_EQ(bar->BarColor(), QColor(0, 0, 200));
    EXPECT_EQ(bar->TextColor(), QColor(0, 0, 200));
}

TEST_F(WristbandDlgTest, DateSelectionReloadsOnlyTheReport)
{
    const auto window = open();
    const PageSpies spies = spyOnPages(*window);
    const QDate other = window->Calendar()->selectedDate().addDays(-3);
    window->Calendar()->setSelectedDate(other);
    EXPECT_EQ(counts(spies.dataChanged), (std::vector<int>{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(counts(spies.refreshed), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(appState().selectedDate, other);
}

TEST_F(WristbandDlgTest, DataChangedAndRefreshReachEveryPage)
{
    const auto window = open();
    const PageSpies spies = spyOnPages(*window);
    ASSERT_NE(appState().ui, nullptr);
    appState().ui->notifyDataChanged();
    EXPECT_EQ(counts(spies.dataChanged), (std::vector<int>(6, 1)));
    EXPECT_EQ(counts(spies.refreshed), (std::vector<int>(6, 0)));
    appState().ui->notifyRefresh();
    EXPECT_EQ(counts(spies.dataChanged), (std::vector<int>(6, 1)));
    EXPECT_EQ(counts(spies.refreshed), (std::vector<int>(6, 1)));
}

TEST_F(WristbandDlgTest, RefreshRebuildsTheTitleInTheNewLanguage)
{
    setSettings("[Advance]\r\nLanguage=0\r\n");
    const auto window = open();
    appState().language = 2;
    appState().ui->notifyRefresh();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("K7") + GetLangText(TextRow::ProgramName, 2) +
                                         QStringLiteral(", Ver 2.010    2014/09/01"));
    EXPECT_EQ(window->TabControl()->tabText(3), GetLangText(TextRow::PersonalInformation, 2));
}

TEST_F(WristbandDlgTest, LeavingTheUserOptionsRefreshesThatPage)
{
    setSettings(PersonalData);
    const auto window = open();
    const PageSpies spies = spyOnPages(*window);
    CWristbandTab* tab = window->TabControl();
    tab->setCurrentIndex(1);
    tab->setCurrentIndex(5);
    EXPECT_EQ(counts(spies.refreshed), (std::vector<int>(6, 0)));
    tab->setCurrentIndex(2);
    EXPECT_EQ(counts(spies.refreshed), (std::vector<int>{0, 0, 0, 0, 0, 1}));
}

TEST_F(WristbandDlgTest, HoveringThePictureButtonShowsTheHandCursor)
{
    const auto window = open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    CHoverButton2* button = window->WebButton();
    EXPECT_NE(button->cursor().shape(), Qt::PointingHandCursor);
    const QPoint inside(button->width() / 2, button->height() / 2);
    QMouseEvent move(QEvent::MouseMove, inside, button->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &move);
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(WristbandDlgTest, WebSiteOpensOnlyOnAClick)
{
    const auto window = open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::qWait(50);
    EXPECT_TRUE(desktop.openedUrls().isEmpty());
    QTest::mouseClick(window->WebButton(), Qt::LeftButton);
    EXPECT_EQ(desktop.openedUrls(), QStringList{MakerWebSite()});
}

TEST_F(WristbandDlgTest, ClockShowsTheTimeInItsBigFont)
{
    const auto window = open();
    window->resize(window->sizeHint());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QLabel* clock = window->ClockLabel();
    const QTime shown = QTime::fromString(clock->text(), QStringLiteral("HH:mm:ss"));
    ASSERT_TRUE(shown.isValid()) << clock->text().toStdString();
    EXPECT_LE(std::abs(shown.secsTo(QTime::currentTime())), 2);
    // Three quarters of the label's height, or less when the width would cut the text.
    const int part = clock->contentsRect().height() * 3 / 4;
    EXPECT_LE(clock->font().pixelSize(), part);
    EXPECT_GE(clock->font().pixelSize(), part / 2);
    EXPECT_LE(QFontMetrics(clock->font()).horizontalAdvance(clock->text()),
              clock->contentsRect().width());
    EXPECT_GE(clock->font().weight(), QFont::ExtraBold);
}

TEST_F(WristbandDlgTest, DeviceNoticesAreIgnoredWhileDiscoveryIsSuspended)
{
    const auto window = open();
    window->SetStatusText(QStringLiteral(" Setting the clock"));
    appState().link.discoverySuspended = true;
    drives.announceArrival(1U << 4);
    drives.announceRemoval(1U << 4);
    drives.announceChange();
    EXPECT_EQ(window->DriveLabelText(), QStringLiteral("< No Disk >"));
    EXPECT_EQ(window->StatusText(), QStringLiteral(" Setting the clock"));
}

TEST_F(WristbandDlgTest, ClosingClosesTheOpenVolume)
{
    auto window = open();
    appState().link.volume = 42;
    appState().link.driveLetter = 'F';
    window.reset();
    EXPECT_EQ(scsi.closed, QList<platform::DeviceHandle>{42});
    EXPECT_EQ(appState().link.volume, platform::InvalidDeviceHandle);
    EXPECT_EQ(appState().link.driveLetter, 0);
    EXPECT_EQ(appState().ui, nullptr);
}

// Collects the name and value of every node of the accessibility tree below `node`.
void CollectAccessibleTexts(QAccessibleInterface* node, QStringList& texts, int depth = 0)
{
    if (node == nullptr || depth > 12) {
        return;
    }
    texts.append(node->text(QAccessible::Name));
    texts.append(node->text(QAccessible::Value));
    for (int child = 0; child < node->childCount(); ++child) {
        CollectAccessibleTexts(node->child(child), texts, depth + 1);
    }
}

TEST_F(WristbandDlgTest, AccessibilityTreeShowsWhatThePersonSees)
{
    setSettings(PersonalData);
    const auto window = open();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->ProgressBar()->SetShowText(true);
    window->ProgressBar()->SetWindowText(QStringLiteral("No new version"));
    window->SetStatusText(QStringLiteral(" Collecting data from Disk-E:"));

    QStringList texts;
    CollectAccessibleTexts(QAccessible::queryAccessibleInterface(window.get()), texts);
    for (const QString& expected :
         {QStringLiteral("< No Disk >"), QStringLiteral(" Collecting data from Disk-E:"),
          QStringLiteral("No new version"), QStringLiteral("Web site"), QStringLiteral("Report"),
          QStringLiteral("User Option"), window->ClockLabel()->text()}) {
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    }
}

TEST_F(WristbandDlgTest, ScreenshotIsAPictureOfTheWindow)
{
    test::TempDir temp;
    const auto window = open();
    window->resize(900, 500);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QString path = temp.filePath(QStringLiteral("window.png"));
    const auto saved = SaveWindowShot(*window, path);
    ASSERT_TRUE(saved.ok()) << saved.error().toStdString();
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), QByteArray("png"));
    EXPECT_EQ(reader.size(), window->size() * window->devicePixelRatio());

    const QString nowhere = temp.filePath(QStringLiteral("missing/folder/window.png"));
    EXPECT_FALSE(SaveWindowShot(*window, nowhere).ok());
    EXPECT_FALSE(QFileInfo::exists(nowhere));
}

} // namespace
} // namespace trek

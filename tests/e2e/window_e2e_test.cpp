// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a person uses it: a wristband plugged into a simulated drive, the collection
// question answered with a click, the report and the sleep analysis looked at, the language
// switched and the wristband pulled out again. Everything runs in this process on the real
// window, the real settings file and store of a fresh working folder, and the emulator's steps.

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "app/lang/langtable.h"
#include "app/settingstable.h"
#include "app/startup.h"
#include "data/collectionrun.h"
#include "data/monthbuffer.h"
#include "data/storelock.h"
#include "device/linklabels.h"
#include "doubles/simdesktopservices.h"
#include "emulator/filemodelwristband.h"
#include "emulator/recordgenerator.h"
#include "platform/platform.h"
#include "reports/ui/reportpage.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "support/tempdir.h"
#include "widgets/listctrlex.h"
#include "widgets/yesnobox.h"
#include "window/advancedpage.h"
#include "window/pagefactory.h"
#include "window/startupoptions.h"
#include "window/startupview.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

// Failing comparisons show the window's texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace trek {
namespace {

constexpr int WaitMs = 10000; // a step that takes longer than this has hung
constexpr int LookMs = 20;    // how often the answerer looks for an open box
// The languages' indexes as the settings file stores them.
constexpr int English = 0;
constexpr int Traditional = 1;

// Modal boxes run their own event loop, so the test cannot answer them from its own code: this
// looks for one every few milliseconds and hands it to the answer the test gave for it. A box
// nobody expected is recorded and closed, so a surprise fails the test instead of hanging it.
class ModalAnswerer final
{
public:
    using Answer = std::function<void(QWidget*)>;

    ModalAnswerer()
    {
        QObject::connect(&m_look, &QTimer::timeout, [this] { look(); });
        m_look.start(LookMs);
    }

    // The answer for every box from now on (an empty one: none is expected).
    void answerEach(Answer answer) { m_answer = std::move(answer); }
    int answered() const { return m_answered; }
    const QStringList& unexpected() const { return m_unexpected; }

private:
    void look()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        if (!m_answer) {
            m_unexpected << QString::fromLatin1(modal->metaObject()->className()) +
                                QStringLiteral(": ") + modal->windowTitle();
            modal->close();
            return;
        }
        ++m_answered;
        m_answer(modal);
    }

    QTimer m_look;
    Answer m_answer;
    int m_answered = 0;
    QStringList m_unexpected;
};

void ClickTab(CWristbandDlg& window, PageIndex page)
{
    QTabBar* bar = window.TabControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(static_cast<int>(page)).center());
}

template <typename T> T* Page(const CWristbandDlg& window, PageIndex page)
{
    return qobject_cast<T*>(window.TabControl()->Page(static_cast<int>(page)));
}

QString ColumnAt(const CListCtrlEx& list, int row, int column)
{
    return list.GetItemText(row, column).trimmed();
}

// "HH:MM" at the start of a sleep figure, in minutes.
int FigureMinutes(const QString& figure)
{
    const QStringList parts = figure.section(u'\n', 0, 0).split(u':');
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].toInt() : -1;
}

class WindowEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(work()));
        dir.write(QStringLiteral("work/") + QFileInfo(SettingsFilePath(work())).fileName(),
                  "[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=72\r\n"
                  "[Advance]\r\nLanguage=0\r\n");
        auto created = platform::createPlatform({QStringLiteral("E=") + disk()},
                                                std::make_unique<platform::SimDesktopServices>());
        ASSERT_TRUE(created) << created.error().toStdString();
        platform = std::move(*created);
        resetAppState();
        appState().services = platform->services();
        StartUp(work());
        ASSERT_TRUE(PrepareWorkingFolder());
        // As the program wires its window to the collection.
        appState().hooks.collectionRun = [] {
            (void)CollectWristband();
        };
    }
    void TearDown() override { resetAppState(); }

    QString work() const { return dir.filePath(QStringLiteral("work")); }
    QString disk() const { return dir.filePath(QStringLiteral("wristband")); }

    // The wristband's disk is written aside and moved into place at once, so the drive table
    // never sees half a disk.
    void plugIn(const emu::StepHistory& history) const
    {
        const QString aside = dir.filePath(QStringLiteral("making"));
        emu::FileModelWristband wristband(aside);
        ASSERT_EQ(wristband.makeDisk(history, emu::DayFileKind::Kdx), QString());
        ASSERT_TRUE(QDir().rename(aside, disk()));
    }

    test::TempDir dir;
    std::unique_ptr<platform::Platform> platform;
};

TEST_F(WindowEndToEnd, CollectReadSwitchLanguageAndUnplug)
{
    // Six days of November; the night looked at is the one from the 18th to the 19th, a long
    // quiet one in these generated steps.
    const QDate lastDay(2026, 11, 20);
    const QDate night(2026, 11, 18);
    const emu::StepHistory history = emu::RecordGenerator(7).generate(6, lastDay);
    ModalAnswerer answerer;

    CWristbandDlg::Options options;
    options.updateCheckAllowed = false;
    CWristbandDlg window(options);
    StartupOptions view;
    view.date = night;
    view.page = static_cast<int>(PageIndex::DayLife);
    ApplyStartupView(window, view);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // 1. Nothing plugged in: the first discovery says so.
    const QString notFound = NotFoundLabel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.DriveLabelText() == notFound; }, WaitMs))
        << window.DriveLabelText().toStdString();
    auto* report = Page<CReportPage>(window, PageIndex::Report);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->List()->GetItemCount(), 0);

    // 2. The wristband arrives; its question is answered Yes with a click.
    QStringList questions;
    answerer.answerEach([&](QWidget* modal) {
        auto* box = qobject_cast<CYesNoBox*>(modal);
        ASSERT_NE(box, nullptr) << modal->metaObject()->className();
        questions << box->windowTitle() + u'|' + box->Message();
        QTest::mouseClick(box->YesButton(), Qt::LeftButton);
    });
    plugIn(history);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questions.isEmpty(); }, WaitMs));
    const QString caption = GetLangText(TextRow::DataCollection, English);
    for (const QString& asked : questions) {
        EXPECT_TRUE(asked.startsWith(caption + u'|')) << asked.toStdString();
        EXPECT_TRUE(asked.contains(QStringLiteral("Disk-E"))) << asked.toStdString();
    }

    // 3. The collection finishes and the store holds every minute exactly once.
    const QString complete = QStringLiteral(" >>> Collecting E: Complete <<<");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.StatusText() == complete; }, WaitMs))
        << window.StatusText().toStdString();
    // Every plug-in brings more than one discovery, and other devices bring more: a wristband
    // that stays in its drive with nothing new on it is not offered again.
    window.OnDeviceChange();
    window.OnDeviceChange();
    answerer.answerEach({});
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(window.DriveLabelText(), ConnectedLabel('E'));
    EXPECT_EQ(appState().link.collectingLetter, 0);
    MonthBuffer stored;
    ASSERT_TRUE(stored.Load(work(), 2026, 11));
    int mismatches = 0;
    int generatedTotal = 0;
    for (int slot = 0; slot < MonthBuffer::SlotCount; ++slot) {
        const int day = slot / MonthBuffer::MinutesPerDay + 1;
        const int minute = slot % MonthBuffer::MinutesPerDay;
        int expected = 0;
        for (const emu::DaySteps& generated : history) {
            if (generated.date.day() == day) {
                expected = generated.minutes[static_cast<std::size_t>(minute)];
            }
        }
        generatedTotal += expected;
        mismatches += stored.slot(slot) != expected ? 1 : 0;
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(generatedTotal, 0);
    EXPECT_EQ(setting::TotalSteps.Read(), generatedTotal);
    EXPECT_TRUE(QDir(disk()).entryList({QStringLiteral("*.KDX")}, QDir::Files).isEmpty());

    // 4. The report shows one row per day; the sleep analysis shows a real night.
    ClickTab(window, PageIndex::Report);
    ASSERT_EQ(window.TabControl()->currentWidget(), report);
    const CListCtrlEx& rows = *report->List();
    ASSERT_EQ(rows.GetItemCount(), static_cast<int>(history.size()));
    for (int row = 0; row < rows.GetItemCount(); ++row) {
        const emu::DaySteps& day = history.at(static_cast<std::size_t>(row));
        EXPECT_EQ(ColumnAt(rows, row, 1), day.date.toString(QStringLiteral("yyyy/MM/dd")));
        EXPECT_EQ(ColumnAt(rows, row, 2), QString::number(day.total()));
    }

    QString sleepTitle;
    QStringList figures;
    answerer.answerEach([&](QWidget* modal) {
        auto* dialog = qobject_cast<CSleepAnalysisDlg*>(modal);
        ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
        sleepTitle = dialog->windowTitle();
        for (int index = 0; index < 4; ++index) {
            figures << dialog->FigureText(index);
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    const int answeredBefore = answerer.answered();
    QTest::mouseClick(report->SleepButton(), Qt::LeftButton);
    answerer.answerEach({});
    ASSERT_EQ(answerer.answered(), answeredBefore + 1);
    EXPECT_TRUE(sleepTitle.startsWith(QStringLiteral("2026-11-18 "))) << sleepTitle.toStdString();
    ASSERT_EQ(figures.size(), 4);
    // Hours of sleep and an efficiency that says so, where an empty night shows 00:00 and 00%.
    EXPECT_GT(FigureMinutes(figures.at(2)), 6 * 60) << figures.at(2).toStdString();
    EXPECT_GT(figures.at(3).section(u'%', 0, 0).toInt(), 50) << figures.at(3).toStdString();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // 5. Traditional Chinese, chosen on the User Option page, relabels the pages.
    EXPECT_EQ(window.TabControl()->tabText(0), GetLangText(TextRow::Report, English));
    ClickTab(window, PageIndex::UserOption);
    auto* optionPage = Page<CAdvancedPage>(window, PageIndex::UserOption);
    ASSERT_NE(optionPage, nullptr);
    QTest::mouseClick(optionPage->LanguageButton(Traditional), Qt::LeftButton);
    EXPECT_EQ(appState().language, Traditional);
    EXPECT_EQ(setting::Language.Read(-1), Traditional);
    EXPECT_EQ(window.TabControl()->tabText(0), GetLangText(TextRow::Report, Traditional));
    EXPECT_NE(window.TabControl()->tabText(0), GetLangText(TextRow::Report, English));
    EXPECT_EQ(report->SleepButton()->text(), GetLangText(TextRow::SleepQuality, Traditional));

    // 6. Pulled out: the window shows that no wristband is there, in the new language.
    ASSERT_TRUE(QDir().rename(disk(), dir.filePath(QStringLiteral("pulled-out"))));
    const QString gone =
        FillText(GetLangText(TextRow::DiskNotFound, Traditional), {QStringLiteral("K7")});
    ASSERT_NE(gone, notFound);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.DriveLabelText() == gone; }, WaitMs))
        << window.DriveLabelText().toStdString();
    EXPECT_EQ(window.StatusText(), QStringLiteral(" Remove Disk-E: done"));
    EXPECT_EQ(appState().link.driveLetter, 0);

    // 7. Plugged in again, it is offered again, although nothing new is on it.
    answerer.answerEach([&](QWidget* modal) {
        auto* box = qobject_cast<CYesNoBox*>(modal);
        ASSERT_NE(box, nullptr) << modal->metaObject()->className();
        questions << box->Message();
        QTest::mouseClick(box->NoButton(), Qt::LeftButton);
    });
    ASSERT_TRUE(QDir().rename(dir.filePath(QStringLiteral("pulled-out")), disk()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return questions.size() == 2; }, WaitMs));
    window.OnDeviceChange();
    answerer.answerEach({});
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(answerer.unexpected(), QStringList());
}

} // namespace
} // namespace trek

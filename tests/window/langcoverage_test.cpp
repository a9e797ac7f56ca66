// SPDX-License-Identifier: GPL-3.0-or-later
// Every row of the language table must reach the person somewhere: a window, a page, a dialog or
// a question, in each language that uses it. The rows that do not are listed below with the
// reason, so that a row nobody shows, or a page that forgets one, is noticed.

#include "app/appstate.h"
#include "app/lang/langtable.h"
#include "app/lang/languages.h"
#include "app/userinterface.h"
#include "device/discovery.h"
#include "recordingui.h"
#include "reports/ui/reportpage.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "reports/ui/summarypage.h"
#include "widgets/chartctrl.h"
#include "window/advancedpage.h"
#include "window/pagefactory.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"
#include "windowfixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <vector>

namespace trek {
namespace {

constexpr char Settings[] =
    "[Advance]\r\nLanguage=0\r\n[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=75\r\n";

// Rows that no screen built so far shows, with the reason. A page that comes takes its rows off
// this list; the test fails for a listed row that shows, so the list stays true. A row whose
// text stands inside another row's in every language passes with it: "Steps" (Steps and
// KindSteps), "Auto" (inside AutoConfirmed).
struct NotShown
{
    std::vector<TextRow> rows;
    const char* reason;
};
const std::vector<NotShown>& NotShownRows()
{
    static const std::vector<NotShown> listed{
        {{TextRow::DataCollection, TextRow::CollectFromDiskQuestion},
         "the collection prompt: asked when a wristband is found"},
        {{TextRow::DataCollectionError}, "the box of a collection that failed"},
        {{TextRow::ConfirmDelete}, "asked by the report's Delete, which needs a stored row"},
        {{TextRow::OldPound, TextRow::OldInch},
         "the personal page's older unit words, superseded by the unit rows"},
        {{TextRow::TargetDistance, TextRow::TargetTime, TextRow::TargetCalorie},
         "the other kinds' target captions: the page shows the chosen kind's"},
        {{TextRow::PercentCompleted, TextRow::RunningTime}, "shown while a mission runs"},
        {{TextRow::Congratulation, TextRow::MissionCompleted},
         "the completion box of a finished mission"},
        {{TextRow::PlugOutToSetUp}, "the box after a file-model wristband's time set"},
        {{TextRow::FasterPerDay, TextRow::SlowerPerDay},
         "the correction slider's label away from 0"},
        {{TextRow::ClockCheckReport, TextRow::CheckWatch, TextRow::Manual},
         "the Maintain page's pass-through controls and clock check report"},
        {{TextRow::LedPowerControl, TextRow::BatteryCurve},
         "the wristband's LED and battery controls, which the page keeps hidden"},
        {{TextRow::FactoryMode, TextRow::PlugInAutoSetup, TextRow::DiskConstructing,
          TextRow::SetupOk, TextRow::SetupFailed, TextRow::PreCopy, TextRow::Setup},
         "the factory set-up, opened by Shift+Ctrl"},
        {{TextRow::Upgrading, TextRow::NewVersionQuestion, TextRow::ToolUpdated,
          TextRow::NoNewVersion},
         "online update not built yet"},
        {{TextRow::GoesToTrash},
         "the reset's question where a trash can take the store: this window has none"},
        {{TextRow::BusiestDay, TextRow::BusiestHour},
         "the summary of a report chart with steps; the store here is empty"},
        {{TextRow::MustBeBetween, TextRow::MustBeAboveZero, TextRow::MustNotBeNegative},
         "refusals of entries no person can have"},
        // The wristband's display entries and other words of earlier screens, and the
        // Simplified block's kilometre (distances are named with Kilometre in every language).
        {{TextRow::OldMetre,
          TextRow::ShowTime,
          TextRow::ShowDay,
          TextRow::ShowYear,
          TextRow::ShowDiskSize,
          TextRow::ShowFreeSize,
          TextRow::ShowBattery,
          TextRow::ShowStepo,
          TextRow::PersonalGraphic,
          TextRow::PersonalSetting,
          TextRow::PcSimulation,
          TextRow::GoodFeeling,
          TextRow::Go,
          TextRow::PersonalMessage,
          TextRow::DisplaySpeed,
          TextRow::Push,
          TextRow::Clear,
          TextRow::Message,
          TextRow::WearIt,
          TextRow::Battery,
          TextRow::TimeInHours,
          TextRow::Enable24HourMode,
          TextRow::EnableAlarm,
          TextRow::HorizontalDisplay,
          TextRow::VerticalDisplay,
          TextRow::ShowHour,
          TextRow::ShowMinute,
          TextRow::ShowMonth,
          TextRow::ShowDayOfMonth,
          TextRow::Metre,
          TextRow::SimplifiedKilometre},
         "no screen uses it"},
    };
    return listed;
}

const char* ReasonNotShown(TextRow row)
{
    for (const NotShown& entry : NotShownRows()) {
        if (std::find(entry.rows.begin(), entry.rows.end(), row) != entry.rows.end()) {
            return entry.reason;
        }
    }
    return nullptr;
}

// What a person sees of `root` and what a screen reader says of it: titles, captions, tab and
// column titles, list cells, the names and descriptions of painted controls, and the weekday
// names under a chart. Controls hidden on purpose do not count.
void CollectTexts(QWidget* root, QStringList& texts)
{
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (widget != root && !widget->isVisibleTo(root)) {
            continue;
        }
        if (widget->isWindow()) {
            texts << widget->windowTitle();
        }
        texts << widget->accessibleName() << widget->accessibleDescription() << widget->toolTip();
        if (const auto* label = qobject_cast<QLabel*>(widget)) {
            texts << label->text();
        } else if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (const auto* group = qobject_cast<QGroupBox*>(widget)) {
            texts << group->title();
        } else if (const auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            for (int index = 0; index < tabs->count(); ++index) {
                texts << tabs->tabText(index);
            }
        } else if (const auto* table = qobject_cast<QTableWidget*>(widget)) {
            for (int column = 0; column < table->columnCount(); ++column) {
                if (const QTableWidgetItem* header = table->horizontalHeaderItem(column)) {
                    texts << header->text();
                }
                for (int row = 0; row < table->rowCount(); ++row) {
                    if (const QTableWidgetItem* cell = table->item(row, column)) {
                        texts << cell->text();
                    }
                }
            }
        } else if (const auto* chart = qobject_cast<CChartCtrl*>(widget)) {
            for (const AxisLabel& axisLabel : chart->Geometry().xLabels) {
                texts << axisLabel.text;
            }
        }
    }
}

// The row's text as a pattern: its printf fields match anything, and a short Latin word such as
// "M" must stand on its own rather than inside "Month".
QRegularExpression RowPattern(const QString& text)
{
    static const QRegularExpression field(QStringLiteral("%(%|[-+ #0]*[0-9]*[cdsu])"));
    QString pattern = QStringLiteral("(?<![A-Za-z])");
    qsizetype from = 0;
    for (QRegularExpressionMatchIterator it = field.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pattern += QRegularExpression::escape(text.mid(from, match.capturedStart() - from));
        pattern += match.captured(1) == u"%" ? QStringLiteral("%") : QStringLiteral(".*");
        from = match.capturedEnd();
    }
    pattern += QRegularExpression::escape(text.mid(from)) + QStringLiteral("(?![A-Za-z])");
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

// A unit block belongs to the languages that label with it; every other row to all of them.
QList<int> LanguagesUsing(TextRow row)
{
    constexpr int UnitsInBlock = 4;
    const auto inBlock = [row](TextRow first) {
        const int offset = static_cast<int>(row) - static_cast<int>(first);
        return offset >= 0 && offset < UnitsInBlock;
    };
    const bool unitWord = inBlock(TextRow::Kilogram) || inBlock(TextRow::SimplifiedKilogram);
    QList<int> languages;
    for (const Language& language : Languages) {
        if (!unitWord || inBlock(language.unitBlock)) {
            languages << language.index;
        }
    }
    return languages;
}

class LanguageCoverage : public test::WindowTest
{};

TEST_F(LanguageCoverage, EveryRowReachesAVisibleTextOrIsListedWithItsReason)
{
    setSettings(Settings);
    CWristbandDlg::Options options;
    options.updateCheckAllowed = false;
    options.startDiscovery = false;
    CWristbandDlg window(options);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    CWristbandTab* tab = window.TabControl();
    auto* report = qobject_cast<CReportPage*>(tab->Page(static_cast<int>(PageIndex::Report)));
    auto* summary = qobject_cast<CSummaryPage*>(tab->Page(static_cast<int>(PageIndex::DayLife)));
    auto* optionsPage =
        qobject_cast<CAdvancedPage*>(tab->Page(static_cast<int>(PageIndex::UserOption)));
    ASSERT_NE(report, nullptr);
    ASSERT_NE(summary, nullptr);
    ASSERT_NE(optionsPage, nullptr);
    // Opened in English and left open: its texts in the other languages come from the switch.
    CSleepAnalysisDlg sleep(QDate(2024, 3, 5), &window);
    sleep.show();

    std::array<QStringList, LanguageCount> seen;
    for (int language = 0; language < LanguageCount; ++language) {
        QStringList& texts = seen.at(static_cast<std::size_t>(language));
        optionsPage->SetLanguage(language);
        DiscoverWristband(); // nothing plugged in: the drive label says so
        for (const int unitMode : {1, 0}) {
            optionsPage->SetUnitMode(unitMode);
            for (int index = 0; index < PageCount; ++index) {
                tab->setCurrentIndex(index);
                if (index != static_cast<int>(PageIndex::Report)) {
                    CollectTexts(&window, texts);
                    continue;
                }
                for (const ReportMode mode :
                     {ReportMode::Month, ReportMode::Week, ReportMode::Day}) {
                    report->ChangeMode(mode);
                    CollectTexts(&window, texts);
                }
            }
        }
        CollectTexts(&sleep, texts);
        // The questions the pages ask go to a recorder instead of a box.
        test::RecordingUi recorder;
        recorder.answer = UserInterface::No;
        UserInterface* shown = appState().ui;
        appState().ui = &recorder;
        summary->OnReset();
        appState().ui = shown;
        texts << recorder.questions << recorder.messages << recorder.statusTexts;
    }

    for (int at = 0; at < LangRowCount; ++at) {
        const auto row = static_cast<TextRow>(at);
        bool reached = true;
        for (const int language : LanguagesUsing(row)) {
            const QRegularExpression pattern = RowPattern(GetLangText(row, language));
            const QStringList& texts = seen.at(static_cast<std::size_t>(language));
            reached = reached && std::any_of(texts.begin(), texts.end(),
                                             [&](const QString& t) { return t.contains(pattern); });
        }
        if (const char* reason = ReasonNotShown(row)) {
            EXPECT_FALSE(reached) << "row " << at << " is listed (" << reason
                                  << ") but shows: take it off the list";
        } else {
            EXPECT_TRUE(reached) << "row " << at << " \"" << GetLangText(row, 0).toStdString()
                                 << "\" shows nowhere; list it with the reason";
        }
    }
}

} // namespace
} // namespace trek

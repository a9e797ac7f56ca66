// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ui/reportpage.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/settingstable.h"
#include "app/userinterface.h"
#include "reports/reportbuilder.h"
#include "reports/reportloader.h"
#include "reports/spandeletion.h"
#include "reports/ui/reportview.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "widgets/chartctrl.h"
#include "widgets/listctrlex.h"
#include "widgets/wbmessages.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trek {

namespace {

// The wristband counts every minute ("Advance" / "DisplayMode" 1): the chart draws bars.
constexpr int MinuteDataKind = 1;

ReportMode StoredMode()
{
    const int stored = setting::ReportMode.Read();
    return stored == static_cast<int>(ReportMode::Week) ||
                   stored == static_cast<int>(ReportMode::Day)
               ? static_cast<ReportMode>(stored)
               : ReportMode::Month;
}

} // namespace

CReportPage::CReportPage(QWidget* parent) : CTabPage(parent)
{
    setObjectName(QStringLiteral("reportPage"));
    BuildControls();
    SetReportColumns(*m_list);
    SetTexts();
    m_mode = StoredMode();
    appState().reportCache.Clear();
    Draw();
    CheckModeButton();
}

void CReportPage::BuildControls()
{
    m_chart = new CChartCtrl(this);
    m_chart->setObjectName(QStringLiteral("reportChart"));
    m_list = new CListCtrlEx(this);
    m_list->setObjectName(QStringLiteral("reportList"));
    m_list->SetGridLines(true);

    // The one button of the page without a row in the text table.
    m_delete = new QPushButton(QStringLiteral("Delete"), this);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    m_sleep = new QPushButton(this);
    m_sleep->setObjectName(QStringLiteral("sleepButton"));
    auto* group = new QButtonGroup(this);
    const std::array<const char*, 3> names{"monthButton", "weekButton", "dayButton"};
    for (std::size_t index = 0; index < m_modeButtons.size(); ++index) {
        m_modeButtons.at(index) = new QRadioButton(this);
        m_modeButtons.at(index)->setObjectName(QLatin1String(names.at(index)));
        group->addButton(m_modeButtons.at(index), static_cast<int>(index));
    }
    // The week report is reached through a stored mode and the command-line tool only.
    QRadioButton* week = ModeButton(ReportMode::Week);
    week->setVisible(false);
    week->setEnabled(false);

    // Enter in the window never deletes anything.
    m_delete->setAutoDefault(false);
    m_sleep->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addSpacing(24);
    buttons->addWidget(m_sleep);
    buttons->addStretch(1);
    for (QRadioButton* mode : m_modeButtons) {
        buttons->addWidget(mode);
    }
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_chart, 102);
    page->addWidget(m_list, 156);
    page->addLayout(buttons);

    connect(group, &QButtonGroup::idClicked, this,
            [this](int id) { ChangeMode(static_cast<ReportMode>(id)); });
    connect(m_delete, &QPushButton::clicked, this, &CReportPage::DeleteSelectedRow);
    connect(m_sleep, &QPushButton::clicked, this, &CReportPage::OpenSleepAnalysis);
}

void CReportPage::SetTexts()
{
    ModeButton(ReportMode::Month)->setText(GetLangText(TextRow::MonthReport));
    ModeButton(ReportMode::Week)->setText(GetLangText(TextRow::WeekReport));
    ModeButton(ReportMode::Day)->setText(GetLangText(TextRow::DayReport));
    m_sleep->setText(GetLangText(TextRow::SleepQuality));
    // The chart and the list are named after the report they show.
    const std::array<TextRow, 3> modeRows{TextRow::MonthReport, TextRow::WeekReport,
                                          TextRow::DayReport};
    const QString shown = GetLangText(modeRows.at(static_cast<std::size_t>(m_mode)));
    m_chart->setAccessibleName(shown);
    m_list->setAccessibleName(shown);
}

QRadioButton* CReportPage::ModeButton(ReportMode mode) const
{
    return m_modeButtons.at(static_cast<std::size_t>(mode));
}

void CReportPage::CheckModeButton()
{
    ModeButton(m_mode)->setChecked(true);
}

QDate CReportPage::SelectedDate() const
{
    const QDate selected = appState().selectedDate;
    return selected.isValid() ? selected : QDate::currentDate();
}

void CReportPage::Refresh()
{
    // The language or the unit may have changed, and the store surely has.
    appState().reportCache.Clear();
    SetReportColumns(*m_list);
    SetTexts();
    Draw();
}

void CReportPage::ChangeMode(ReportMode mode)
{
    m_mode = mode;
    (void)setting::ReportMode.Write(static_cast<int>(mode));
    CheckModeButton();
    SetTexts();
    Draw();
}

void CReportPage::Draw()
{
    const QDate date = SelectedDate();
    ReportCache& cache = appState().reportCache;
    // A day is drawn on every request; a month or week only when it is another one.
    if (m_mode != ReportMode::Day &&
        cache.Holds(static_cast<int>(m_mode), date.year(), date.month())) {
        return;
    }
    Result<Report> loaded = LoadCurrentReport(m_mode, date);
    if (!loaded) {
        user().setStatusText(loaded.error());
    }
    m_report = loaded ? std::move(*loaded) : EmptyReport(m_mode);
    cache = {static_cast<int>(m_mode), date.year(), date.month()};
    FillReportList(*m_list, m_report);
    DrawReportChart(*m_chart, m_report, date, appState().values.displayMode == MinuteDataKind);
    ++m_drawCount;
}

void CReportPage::DeleteSelectedRow()
{
    const int selected = m_list->GetSelectedRow();
    if (selected < 0) {
        return;
    }
    const auto index = static_cast<std::size_t>(m_list->GetItemData(selected));
    if (index >= m_report.rows.size()) {
        return;
    }
    if (!appState().values.autoConfirm) {
        const QString question =
            QString::asprintf("Item-%d, ", selected + 1) + GetLangText(TextRow::ConfirmDelete);
        if (user().askYesNo(QString(), question) != UserInterface::Yes) {
            return;
        }
    }
    if (const Result<ClearedSteps> deleted = DeleteReportSpan(m_report.rows.at(index).span);
        !deleted) {
        user().setStatusText(deleted.error());
        return;
    }
    WbMessageEvent::send(this, WbMessage::Refresh);
}

void CReportPage::OpenSleepAnalysis()
{
    CSleepAnalysisDlg dialog(SelectedDate(), this);
    dialog.exec();
}

} // namespace trek

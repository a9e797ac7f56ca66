// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report.h"
#include "widgets/tabpage.h"

#include <QDate>
#include <array>

class QPushButton;
class QRadioButton;

namespace trek {

class CChartCtrl;
class CListCtrlEx;

// The report tab: the month, week or day of the date selected in the calendar, as a list of
// days or walks and a chart of the steps per hour (per minute for minute data). From here the
// user deletes a row's steps and opens the sleep analysis.
class CReportPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CReportPage)
public:
    explicit CReportPage(QWidget* parent = nullptr);

    ReportMode Mode() const { return m_mode; }
    // Shows `mode`, as a click on its button does: remembered in the settings file, then drawn.
    void ChangeMode(ReportMode mode);
    // The Delete button: clears the selected row's minutes in the store after asking.
    void DeleteSelectedRow();
    // The sleep analysis of the selected day, as a modal dialog.
    void OpenSleepAnalysis();

    CChartCtrl* Chart() const { return m_chart; }
    CListCtrlEx* List() const { return m_list; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* SleepButton() const { return m_sleep; }
    QRadioButton* ModeButton(ReportMode mode) const;
    // How many times the list and chart were filled; the cache skips some draws.
    int DrawCount() const { return m_drawCount; }

protected:
    void OnDataChanged() override { Refresh(); }
    void OnRefresh() override { Refresh(); }

private:
    void BuildControls();
    void SetTexts();
    void CheckModeButton();
    void Refresh();
    void Draw();
    QDate SelectedDate() const;

    CChartCtrl* m_chart = nullptr;
    CListCtrlEx* m_list = nullptr;
    std::array<QRadioButton*, 3> m_modeButtons{};
    QPushButton* m_delete = nullptr;
    QPushButton* m_sleep = nullptr;
    ReportMode m_mode = ReportMode::Month;
    Report m_report; // what the controls show; its rows' spans are what Delete clears
    int m_drawCount = 0;
};

} // namespace trek

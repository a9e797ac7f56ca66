// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/sleepanalysis.h"
#include "reports/sleepmoves.h"

#include <QDialog>
#include <array>
#include <optional>

class QLabel;

namespace trek {

class CHoverButton2;
class CSleepChartCtrl;

// The sleep analysis of one night: the depth of every minute as a bar chart, when the sleeper
// fell asleep and woke, how long they slept and how well. Six small buttons move the window;
// its hours are kept in the settings file for the next opening.
class CSleepAnalysisDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSleepAnalysisDlg)
public:
    // The night that starts on the evening of `date`, in the window of the settings file.
    explicit CSleepAnalysisDlg(QDate date, QWidget* parent = nullptr);

    // One of the six buttons.
    void Move(SleepMove move);

    const SleepPlace& Place() const { return m_place; }
    bool Debug() const { return m_debug; }
    // Falling asleep, waking, sleep time, efficiency, as the four labels show them.
    QString FigureText(int index) const;
    CSleepChartCtrl* Chart() const { return m_chart; }
    CHoverButton2* MoveButton(SleepMove move) const;

protected:
    // A language switch while the dialog is open relabels it.
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    // Every text of the dialog in the current language, the figures of the night shown.
    void SetTexts();
    void Analyse();
    void ShowFigures(const SleepAnalysis& analysis);
    void DrawChart(const SleepAnalysis& analysis);

    SleepPlace m_place;
    bool m_debug = false;
    std::optional<SleepAnalysis> m_shown; // the night whose figures are shown, if any
    std::array<QLabel*, 4> m_figures{};
    CSleepChartCtrl* m_chart = nullptr;
    std::array<CHoverButton2*, 6> m_moves{};
};

} // namespace trek

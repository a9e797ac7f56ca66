// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "trends/sleeptrend.h"
#include "trends/ui/trendcharts.h"

#include <QDate>
#include <QDialog>
#include <array>
#include <optional>

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trek {

class CTrendChartCtrl;

// Weeks, months and a year of steps and the last nights at a glance: the steps of the last 30,
// 90 or 365 days up to the last day, with the range's figures beside them and the daily goal,
// which can be changed here; below, the sleep time of the last 7 or 30 nights before it. Each
// chart saves itself as CSV or as a picture.
class CTrendsDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTrendsDlg)
public:
    static constexpr std::array<int, 3> DayChoices{30, 90, 365};
    static constexpr std::array<int, 2> NightChoices{7, 30};

    // The figures beside the charts, in their order on the dialog.
    enum class Figure {
        Average,
        BestDay,
        GoalDays,
        CurrentRun,
        LongestRun,
        TotalSteps,
        Distance,
        Calories,
        AverageSleep,
        AverageEfficiency,
        NightsWorn,
    };
    static constexpr int FigureCount = 11;

    // The trends up to `lastDay`, whose evening starts no night shown: its night is not over.
    explicit CTrendsDlg(QDate lastDay, QWidget* parent = nullptr);

    // The steps of the last `days` days (one of DayChoices) and the last `nights` nights.
    void ShowDays(int days);
    void ShowNights(int nights);
    // Takes the goal box's text as the new daily goal: refused with a message that gives the
    // bounds, else written to the settings file (only when it changed) and shown.
    void ApplyGoal();

    // What each chart shows, as CSV or as a PNG picture at the screen's pixel ratio, written
    // whole or not at all.
    [[nodiscard]] Result<> SaveStepsCsv(const QString& path) const;
    [[nodiscard]] Result<> SaveSleepCsv(const QString& path) const;
    [[nodiscard]] Result<> SaveStepsPicture(const QString& path) const;
    [[nodiscard]] Result<> SaveSleepPicture(const QString& path) const;

    int ShownDays() const { return m_days; }
    int ShownNights() const { return m_nights; }
    int Goal() const { return m_goal; }
    QString FigureText(Figure figure) const;
    CTrendChartCtrl* StepChart() const { return m_stepChart; }
    CTrendChartCtrl* SleepChart() const { return m_sleepChart; }
    QRadioButton* DaysButton(int days) const;
    QRadioButton* NightsButton(int nights) const;
    QLineEdit* GoalBox() const { return m_goalBox; }
    QPushButton* GoalButton() const { return m_setGoal; }

protected:
    // A language switch while the dialog is open relabels it.
    void changeEvent(QEvent* event) override;

private:
    void BuildControls();
    QGroupBox* BuildStepsFrame();
    QGroupBox* BuildSleepFrame();
    // The captions and values of the figures from `first` to before `end`, two columns.
    QGridLayout* BuildFigures(QWidget* frame, int first, int end);
    void SetTexts();
    void AlignCharts();
    void LoadDays();
    void LoadNights();
    void ShowSteps();
    void ShowSleep();
    void SetFigure(Figure figure, const QString& text);
    // Asks where to save, then saves there; a failure is told in a box.
    void SaveAs(const QString& name, bool csv, Result<> (CTrendsDlg::*save)(const QString&) const);

    QDate m_lastDay;
    int m_days = DayChoices.front();
    int m_nights = NightChoices.front();
    int m_goal = 0;
    StepChartDays m_stepDays;
    std::optional<SleepTrend> m_sleep; // the nights shown, when they could be read

    QGroupBox* m_stepsFrame = nullptr;
    QGroupBox* m_sleepFrame = nullptr;
    QWidget* m_stepSide = nullptr; // the figures and the goal beside the steps chart
    QWidget* m_sleepSide = nullptr;
    CTrendChartCtrl* m_stepChart = nullptr;
    CTrendChartCtrl* m_sleepChart = nullptr;
    std::array<QRadioButton*, DayChoices.size()> m_dayButtons{};
    std::array<QRadioButton*, NightChoices.size()> m_nightButtons{};
    std::array<QLabel*, FigureCount> m_captions{};
    std::array<QLabel*, FigureCount> m_figures{};
    QLabel* m_goalCaption = nullptr;
    QLineEdit* m_goalBox = nullptr;
    QLabel* m_goalUnit = nullptr;
    QPushButton* m_setGoal = nullptr;
    std::array<QPushButton*, 4> m_saveButtons{}; // steps CSV, steps picture, sleep CSV, picture
};

} // namespace trek

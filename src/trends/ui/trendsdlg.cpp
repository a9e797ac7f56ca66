// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/ui/trendsdlg.h"

#include "app/appstate.h"
#include "app/lang/filltext.h"
#include "app/userinterface.h"
#include "platform/atomicfile.h"
#include "reports/sleepwindow.h"
#include "reports/stepmetrics.h"
#include "trends/dailygoal.h"
#include "trends/storedmonths.h"
#include "trends/trendsummary.h"
#include "trends/trendtexts.h"
#include "trends/ui/trendchartctrl.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trek {

namespace {

using Figure = CTrendsDlg::Figure;

struct FigureLook
{
    TrendText caption;
    const char* name;
};

// In the order of CTrendsDlg::Figure; the first StepFigureCount stand beside the steps.
constexpr std::array<FigureLook, CTrendsDlg::FigureCount> Figures{{
    {TrendText::Average, "average"},
    {TrendText::BestDay, "bestDay"},
    {TrendText::GoalDays, "goalDays"},
    {TrendText::CurrentRun, "currentRun"},
    {TrendText::LongestRun, "longestRun"},
    {TrendText::TotalSteps, "totalSteps"},
    {TrendText::Distance, "distance"},
    {TrendText::Calories, "calories"},
    {TrendText::AverageSleep, "averageSleep"},
    {TrendText::AverageEfficiency, "averageEfficiency"},
    {TrendText::NightsWorn, "nightsWorn"},
}};
constexpr int StepFigureCount = 8;

constexpr int GoalBoxDigits = 6;
const QString NoValue = QStringLiteral("\u2013");

enum SaveButton { StepsCsv, StepsPicture, SleepCsv, SleepPicture };

QString Text(TrendText text)
{
    return TrendLangText(text);
}

QString Range(QDate first, QDate last)
{
    return TrendDay(first) + QStringLiteral(" ~ ") + TrendDay(last);
}

Result<> WriteLines(const QString& path, const QStringList& lines)
{
    return platform::writeFileAtomically(path, (lines.join(u'\n') + u'\n').toUtf8());
}

Result<> WritePicture(const QString& path, const QImage& picture)
{
    if (picture.isNull()) {
        return fail(QStringLiteral("The chart has no picture while it is not shown."));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        return fail(QStringLiteral("The picture could not be encoded."));
    }
    return platform::writeFileAtomically(path, png);
}

} // namespace

CTrendsDlg::CTrendsDlg(QDate lastDay, QWidget* parent)
    : QDialog(parent), m_lastDay(lastDay.isValid() ? lastDay : QDate::currentDate()),
      m_goal(ReadDailyGoal())
{
    setObjectName(QStringLiteral("trends"));
    BuildControls();
    LoadDays();
    LoadNights();
    SetTexts();
}

void CTrendsDlg::BuildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildStepsFrame(), 3);
    layout->addWidget(BuildSleepFrame(), 2);
    resize(920, 680);
}

QGroupBox* CTrendsDlg::BuildStepsFrame()
{
    m_stepsFrame = new QGroupBox(this);
    m_stepChart = new CTrendChartCtrl(m_stepsFrame);
    m_stepChart->setObjectName(QStringLiteral("stepChart"));

    m_stepSide = new QWidget(m_stepsFrame);
    QGridLayout* figures = BuildFigures(m_stepSide, 0, StepFigureCount);

    m_goalCaption = new QLabel(m_stepSide);
    m_goalBox = new QLineEdit(m_stepSide);
    m_goalBox->setObjectName(QStringLiteral("goalBox"));
    m_goalBox->setMaxLength(GoalBoxDigits + 2);
    m_goalBox->setFixedWidth(m_goalBox->fontMetrics().horizontalAdvance(u'0') * GoalBoxDigits + 16);
    m_goalBox->setText(QString::number(m_goal));
    m_goalCaption->setBuddy(m_goalBox);
    m_goalUnit = new QLabel(m_stepSide);
    m_setGoal = new QPushButton(m_stepSide);
    m_setGoal->setObjectName(QStringLiteral("setGoal"));
    m_setGoal->setAutoDefault(false);
    auto* goal = new QHBoxLayout;
    goal->addWidget(m_goalCaption);
    goal->addStretch(1);
    goal->addWidget(m_goalBox);
    goal->addWidget(m_goalUnit);
    goal->addWidget(m_setGoal);
    connect(m_setGoal, &QPushButton::clicked, this, &CTrendsDlg::ApplyGoal);
    connect(m_goalBox, &QLineEdit::returnPressed, this, &CTrendsDlg::ApplyGoal);

    auto* side = new QVBoxLayout(m_stepSide);
    side->setContentsMargins(0, 0, 0, 0);
    side->addLayout(figures);
    side->addStretch(1);
    side->addLayout(goal);

    auto* top = new QHBoxLayout;
    top->addWidget(m_stepChart, 1);
    top->addWidget(m_stepSide);

    auto* choices = new QButtonGroup(m_stepsFrame);
    auto* bottom = new QHBoxLayout;
    for (std::size_t index = 0; index < DayChoices.size(); ++index) {
        const int days = DayChoices.at(index);
        m_dayButtons.at(index) = new QRadioButton(m_stepsFrame);
        m_dayButtons.at(index)->setObjectName(QStringLiteral("days%1").arg(days));
        choices->addButton(m_dayButtons.at(index));
        bottom->addWidget(m_dayButtons.at(index));
        connect(m_dayButtons.at(index), &QRadioButton::toggled, this, [this, days](bool on) {
            if (on && days != m_days) {
                ShowDays(days);
            }
        });
    }
    m_dayButtons.front()->setChecked(true);
    bottom->addStretch(1);
    m_saveButtons.at(StepsCsv) = new QPushButton(m_stepsFrame);
    m_saveButtons.at(StepsPicture) = new QPushButton(m_stepsFrame);
    bottom->addWidget(m_saveButtons.at(StepsCsv));
    bottom->addWidget(m_saveButtons.at(StepsPicture));
    connect(m_saveButtons.at(StepsCsv), &QPushButton::clicked, this, [this] {
        SaveAs(QStringLiteral("trends-steps-%1.csv"), true, &CTrendsDlg::SaveStepsCsv);
    });
    connect(m_saveButtons.at(StepsPicture), &QPushButton::clicked, this, [this] {
        SaveAs(QStringLiteral("trends-steps-%1.png"), false, &CTrendsDlg::SaveStepsPicture);
    });

    auto* frame = new QVBoxLayout(m_stepsFrame);
    frame->addLayout(top, 1);
    frame->addLayout(bottom);
    return m_stepsFrame;
}

QGridLayout* CTrendsDlg::BuildFigures(QWidget* frame, int first, int end)
{
    auto* figures = new QGridLayout;
    figures->setVerticalSpacing(6);
    figures->setHorizontalSpacing(12);
    for (int index = first; index < end; ++index) {
        const auto at = static_cast<std::size_t>(index);
        m_captions.at(at) = new QLabel(frame);
        m_figures.at(at) = new QLabel(frame);
        m_figures.at(at)->setObjectName(QLatin1String(Figures.at(at).name));
        m_figures.at(at)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_figures.at(at)->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_captions.at(at)->setBuddy(m_figures.at(at));
        figures->addWidget(m_captions.at(at), index - first, 0);
        figures->addWidget(m_figures.at(at), index - first, 1);
    }
    return figures;
}

QGroupBox* CTrendsDlg::BuildSleepFrame()
{
    m_sleepFrame = new QGroupBox(this);
    m_sleepChart = new CTrendChartCtrl(m_sleepFrame);
    m_sleepChart->setObjectName(QStringLiteral("sleepChart"));

    m_sleepSide = new QWidget(m_sleepFrame);
    auto* side = new QVBoxLayout(m_sleepSide);
    side->setContentsMargins(0, 0, 0, 0);
    side->addLayout(BuildFigures(m_sleepSide, StepFigureCount, FigureCount));
    side->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(m_sleepChart, 1);
    top->addWidget(m_sleepSide);

    auto* choices = new QButtonGroup(m_sleepFrame);
    auto* bottom = new QHBoxLayout;
    for (std::size_t index = 0; index < NightChoices.size(); ++index) {
        const int nights = NightChoices.at(index);
        m_nightButtons.at(index) = new QRadioButton(m_sleepFrame);
        m_nightButtons.at(index)->setObjectName(QStringLiteral("nights%1").arg(nights));
        choices->addButton(m_nightButtons.at(index));
        bottom->addWidget(m_nightButtons.at(index));
        connect(m_nightButtons.at(index), &QRadioButton::toggled, this, [this, nights](bool on) {
            if (on && nights != m_nights) {
                ShowNights(nights);
            }
        });
    }
    m_nightButtons.front()->setChecked(true);
    bottom->addStretch(1);
    m_saveButtons.at(SleepCsv) = new QPushButton(m_sleepFrame);
    m_saveButtons.at(SleepPicture) = new QPushButton(m_sleepFrame);
    bottom->addWidget(m_saveButtons.at(SleepCsv));
    bottom->addWidget(m_saveButtons.at(SleepPicture));
    connect(m_saveButtons.at(SleepCsv), &QPushButton::clicked, this, [this] {
        SaveAs(QStringLiteral("trends-sleep-%1.csv"), true, &CTrendsDlg::SaveSleepCsv);
    });
    connect(m_saveButtons.at(SleepPicture), &QPushButton::clicked, this, [this] {
        SaveAs(QStringLiteral("trends-sleep-%1.png"), false, &CTrendsDlg::SaveSleepPicture);
    });
    for (QPushButton* button : m_saveButtons) {
        button->setAutoDefault(false);
    }

    auto* frame = new QVBoxLayout(m_sleepFrame);
    frame->addLayout(top, 1);
    frame->addLayout(bottom);
    return m_sleepFrame;
}

void CTrendsDlg::SetTexts()
{
    setWindowTitle(Text(TrendText::Title));
    for (std::size_t index = 0; index < DayChoices.size(); ++index) {
        m_dayButtons.at(index)->setText(
            FillText(Text(TrendText::LastDays), {QString::number(DayChoices.at(index))}));
    }
    for (std::size_t index = 0; index < NightChoices.size(); ++index) {
        m_nightButtons.at(index)->setText(
            FillText(Text(TrendText::LastNights), {QString::number(NightChoices.at(index))}));
    }
    for (std::size_t index = 0; index < Figures.size(); ++index) {
        const QString caption = Text(Figures.at(index).caption);
        m_captions.at(index)->setText(caption);
        m_figures.at(index)->setAccessibleName(caption);
    }
    m_goalCaption->setText(Text(TrendText::DailyGoal));
    m_goalBox->setAccessibleName(Text(TrendText::DailyGoal));
    m_goalUnit->setText(Text(TrendText::StepsUnit));
    m_setGoal->setText(Text(TrendText::SetGoal));
    const std::array<TrendText, 4> saveTexts{TrendText::SaveCsv, TrendText::SavePicture,
                                             TrendText::SaveCsv, TrendText::SavePicture};
    for (std::size_t index = 0; index < m_saveButtons.size(); ++index) {
        const QString chart = Text(index < 2 ? TrendText::StepsFrame : TrendText::SleepFrame);
        m_saveButtons.at(index)->setText(Text(saveTexts.at(index)));
        m_saveButtons.at(index)->setAccessibleName(chart + QStringLiteral(": ") +
                                                   Text(saveTexts.at(index)));
    }
    m_stepChart->setAccessibleName(Text(TrendText::StepsFrame));
    m_sleepChart->setAccessibleName(Text(TrendText::SleepFrame));
    // The charts' legends and summaries speak the language too.
    ShowSteps();
    ShowSleep();
    AlignCharts();
}

void CTrendsDlg::AlignCharts()
{
    // The figures beside both charts take the same width, so that the charts line up.
    m_stepSide->setMinimumWidth(0);
    m_sleepSide->setMinimumWidth(0);
    const int width = std::max(m_stepSide->layout()->sizeHint().width(),
                               m_sleepSide->layout()->sizeHint().width());
    m_stepSide->setMinimumWidth(width);
    m_sleepSide->setMinimumWidth(width);
}

void CTrendsDlg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        SetTexts();
    }
}

QRadioButton* CTrendsDlg::DaysButton(int days) const
{
    const auto* found = std::find(DayChoices.begin(), DayChoices.end(), days);
    return found != DayChoices.end()
               ? m_dayButtons.at(static_cast<std::size_t>(found - DayChoices.begin()))
               : nullptr;
}

QRadioButton* CTrendsDlg::NightsButton(int nights) const
{
    const auto* found = std::find(NightChoices.begin(), NightChoices.end(), nights);
    return found != NightChoices.end()
               ? m_nightButtons.at(static_cast<std::size_t>(found - NightChoices.begin()))
               : nullptr;
}

QString CTrendsDlg::FigureText(Figure figure) const
{
    return m_figures.at(static_cast<std::size_t>(figure))->text();
}

void CTrendsDlg::ShowDays(int days)
{
    m_days = days;
    if (QRadioButton* button = DaysButton(days); button != nullptr && !button->isChecked()) {
        button->setChecked(true);
    }
    LoadDays();
    ShowSteps();
}

void CTrendsDlg::ShowNights(int nights)
{
    m_nights = nights;
    if (QRadioButton* button = NightsButton(nights); button != nullptr && !button->isChecked()) {
        button->setChecked(true);
    }
    LoadNights();
    ShowSleep();
}

void CTrendsDlg::LoadDays()
{
    const QDate first = m_lastDay.addDays(1 - m_days);
    const QDate leadFirst = first.addDays(1 - AverageSpan);
    const Result<StoredMonths> months =
        StoredMonths::Load(appState().workingFolder, leadFirst, m_lastDay);
    if (!months) {
        // No made-up steps over a store that cannot be read: the chart stays empty.
        user().setStatusText(months.error());
    }
    m_stepDays.days = CollectDays(months ? *months : StoredMonths(), leadFirst, m_lastDay,
                                  CurrentMetricSettings());
    m_stepDays.lead = static_cast<std::size_t>(AverageSpan - 1);
}

void CTrendsDlg::LoadNights()
{
    // The last day's own night is not over yet.
    const Result<SleepTrend> nights =
        trek::LoadNights(appState().workingFolder, m_lastDay.addDays(-m_nights),
                         m_lastDay.addDays(-1), ReadSleepWindow());
    if (!nights) {
        user().setStatusText(nights.error());
        m_sleep.reset();
        return;
    }
    m_sleep = *nights;
}

void CTrendsDlg::SetFigure(Figure figure, const QString& text)
{
    m_figures.at(static_cast<std::size_t>(figure))->setText(text);
}

void CTrendsDlg::ShowSteps()
{
    const std::vector<DayTrend> shown = m_stepDays.Shown();
    const QDate first = m_lastDay.addDays(1 - m_days);
    m_stepsFrame->setTitle(Text(TrendText::StepsFrame) + QStringLiteral("  ") +
                           Range(first, m_lastDay));
    DrawStepTrend(*m_stepChart, m_stepDays, m_goal);

    const RangeTrend range = SumUpRange(shown, m_goal);
    const PeriodTrend& total = range.total;
    const auto number = [](qint64 value) {
        return QString::number(value);
    };
    SetFigure(Figure::Average, FillText(Text(TrendText::PerDay), {number(total.AverageSteps())}));
    SetFigure(Figure::BestDay,
              range.bestDay.isValid()
                  ? TrendDay(range.bestDay) + QStringLiteral("  ") + number(range.bestSteps)
                  : NoValue);
    SetFigure(Figure::GoalDays,
              FillText(Text(TrendText::OutOf),
                       {number(total.goalDays), number(static_cast<qint64>(shown.size()))}));
    SetFigure(Figure::CurrentRun, DayCountText(range.currentRun));
    SetFigure(Figure::LongestRun, DayCountText(range.longestRun));
    SetFigure(Figure::TotalSteps, number(total.steps));
    const bool imperial = IsImperial(appState().values.unitMode);
    SetFigure(Figure::Distance, QString::asprintf("%.3f ", total.distance) +
                                    Text(imperial ? TrendText::Miles : TrendText::Kilometres));
    SetFigure(Figure::Calories,
              QString::asprintf("%.3f ", total.calories) + Text(TrendText::KiloCalories));
}

void CTrendsDlg::ShowSleep()
{
    const QDate first = m_lastDay.addDays(-m_nights);
    const QDate last = m_lastDay.addDays(-1);
    m_sleepFrame->setTitle(Text(TrendText::SleepFrame) + QStringLiteral("  ") + Range(first, last));
    const SleepTrend nights = m_sleep.value_or(SleepTrend());
    DrawSleepTrend(*m_sleepChart, nights, first, last);
    const bool worn = nights.wornNights > 0;
    SetFigure(Figure::AverageSleep, worn ? DurationText(nights.averageSleepMinutes) : NoValue);
    SetFigure(Figure::AverageEfficiency,
              worn ? QString::asprintf("%d%%", nights.averageEfficiency) : NoValue);
    SetFigure(Figure::NightsWorn,
              FillText(Text(TrendText::OutOf),
                       {QString::number(nights.wornNights), QString::number(m_nights)}));
}

void CTrendsDlg::ApplyGoal()
{
    const Result<int> typed = ReadTypedDailyGoal(m_goalBox->text(), Text(TrendText::DailyGoal),
                                                 Text(TrendText::StepsUnit));
    if (!typed) {
        // The box keeps what was typed, so the person can mend it.
        user().showMessage(typed.error());
        return;
    }
    if (*typed != m_goal) {
        if (const Result<> written = WriteDailyGoal(*typed); !written) {
            user().showMessage(written.error());
            return;
        }
        m_goal = *typed;
        ShowSteps();
    }
    m_goalBox->setText(QString::number(m_goal));
}

Result<> CTrendsDlg::SaveStepsCsv(const QString& path) const
{
    return WriteLines(
        path, TableLines(StepChartTable(m_stepDays, m_goal, appState().values.unitMode), u','));
}

Result<> CTrendsDlg::SaveSleepCsv(const QString& path) const
{
    return WriteLines(path, TableLines(NightTable(m_sleep.value_or(SleepTrend())), u','));
}

Result<> CTrendsDlg::SaveStepsPicture(const QString& path) const
{
    return WritePicture(path, m_stepChart->Picture());
}

Result<> CTrendsDlg::SaveSleepPicture(const QString& path) const
{
    return WritePicture(path, m_sleepChart->Picture());
}

void CTrendsDlg::SaveAs(const QString& name, bool csv,
                        Result<> (CTrendsDlg::*save)(const QString&) const)
{
    const QString suggested =
        QDir(appState().workingFolder).filePath(name.arg(m_lastDay.toString(Qt::ISODate)));
    const QString path = QFileDialog::getSaveFileName(
        this, Text(csv ? TrendText::SaveCsv : TrendText::SavePicture), suggested,
        Text(csv ? TrendText::CsvFiles : TrendText::PngFiles));
    if (path.isEmpty()) {
        return;
    }
    if (const Result<> saved = (this->*save)(path); !saved) {
        user().showMessage(FillText(Text(TrendText::NotSaved), {saved.error()}));
    }
}

} // namespace trek

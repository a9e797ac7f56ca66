// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ui/sleepanalysisdlg.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "platform/processrandom.h"
#include "platform/systemservices.h"
#include "reports/chartsummary.h"
#include "reports/sleepanalysis.h"
#include "reports/sleeploader.h"
#include "reports/sleeptexts.h"
#include "widgets/hoverbutton2.h"
#include "widgets/pictures.h"
#include "widgets/pictureview.h"
#include "widgets/sleepchartctrl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace trek {

namespace {

const QColor ChartBackground(0, 0, 64);
const QColor ChartAxis(192, 192, 255);

struct MoveButtonLook
{
    SleepMove move;
    int picture;
    const char* name; // for screen readers; the buttons carry no text
};

constexpr std::array<MoveButtonLook, 6> MoveButtons{{
    {SleepMove::StartEarlier, pictures::HourEarlier, "Start one hour earlier"},
    {SleepMove::StartLater, pictures::HourLater, "Start one hour later"},
    {SleepMove::PreviousDay, pictures::DayBack, "Previous day"},
    {SleepMove::NextDay, pictures::DayForward, "Next day"},
    {SleepMove::EndEarlier, pictures::HourEarlier, "End one hour earlier"},
    {SleepMove::EndLater, pictures::HourLater, "End one hour later"},
}};

// The operator's gesture: both left-hand modifier keys held as the dialog opens.
bool DebugKeysHeld()
{
    const platform::DesktopServices* desktop = appState().services.desktop;
    return desktop != nullptr && desktop->isLeftShiftDown() && desktop->isLeftCtrlDown();
}

} // namespace

CSleepAnalysisDlg::CSleepAnalysisDlg(QDate date, QWidget* parent)
    : QDialog(parent), m_place{date, ReadSleepWindow()}, m_debug(DebugKeysHeld())
{
    setObjectName(QStringLiteral("sleepAnalysis"));
    BuildControls();
    SetTexts();
    Analyse();
}

void CSleepAnalysisDlg::SetTexts()
{
    setWindowTitle(SleepTitle(m_place.date, m_debug));
    if (m_shown) {
        ShowFigures(*m_shown);
    } else {
        m_figures.at(0)->setText(QStringLiteral("00:00\n") + GetLangText(TextRow::BedTime));
        m_figures.at(1)->setText(QStringLiteral("00:00\n") + GetLangText(TextRow::AwakeTime));
        m_figures.at(2)->setText(QStringLiteral("00:00\n") + GetLangText(TextRow::SleepTime));
        m_figures.at(3)->setText(QStringLiteral("00%\n") + GetLangText(TextRow::Efficiency));
    }
    m_chart->setAccessibleName(GetLangText(TextRow::SleepTime));
    m_chart->SetClassNames(SleepClassName(SleepClass::Awake), SleepClassName(SleepClass::Sleep),
                           SleepClassName(SleepClass::DeepSleep));
    // The chart's setters erase its bars; they are drawn again under the new titles.
    DrawChart(m_shown.value_or(SleepAnalysis()));
}

void CSleepAnalysisDlg::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        SetTexts();
    }
}

void CSleepAnalysisDlg::BuildControls()
{
    QFont figureFont(QStringLiteral("Arial Black"));
    figureFont.setPointSize(12);
    figureFont.setWeight(QFont::Black);
    auto* figures = new QHBoxLayout;
    const std::array<const char*, 4> names{"fallAsleep", "wake", "sleepTime", "efficiency"};
    for (std::size_t index = 0; index < m_figures.size(); ++index) {
        m_figures.at(index) = new QLabel(this);
        m_figures.at(index)->setObjectName(QLatin1String(names.at(index)));
        m_figures.at(index)->setAlignment(Qt::AlignCenter);
        m_figures.at(index)->setFont(figureFont);
        figures->addWidget(m_figures.at(index), 1);
    }

    m_chart = new CSleepChartCtrl(this);
    m_chart->setObjectName(QStringLiteral("sleepChart"));

    auto* moves = new QHBoxLayout;
    for (std::size_t index = 0; index < MoveButtons.size(); ++index) {
        const MoveButtonLook& look = MoveButtons.at(index);
        auto* button = new CHoverButton2(this);
        button->LoadBitmap(look.picture);
        button->setFixedSize(18, 21);
        button->setAccessibleName(QLatin1String(look.name));
        button->setToolTip(QLatin1String(look.name));
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &CHoverButton2::clicked, this, [this, move = look.move] { Move(move); });
        m_moves.at(index) = button;
    }
    auto* moon = new CPictureView(this);
    moon->SetPicture(pictures::DayMoon);
    moon->setFixedSize(33, 21);
    moves->addWidget(m_moves[0]);
    moves->addWidget(m_moves[1]);
    moves->addStretch(1);
    moves->addWidget(m_moves[2]);
    moves->addWidget(moon);
    moves->addWidget(m_moves[3]);
    moves->addStretch(1);
    moves->addWidget(m_moves[4]);
    moves->addWidget(m_moves[5]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(figures);
    layout->addWidget(m_chart, 1);
    layout->addLayout(moves);
    resize(660, 440);
}

CHoverButton2* CSleepAnalysisDlg::MoveButton(SleepMove move) const
{
    for (std::size_t index = 0; index < MoveButtons.size(); ++index) {
        if (MoveButtons.at(index).move == move) {
            return m_moves.at(index);
        }
    }
    return nullptr;
}

QString CSleepAnalysisDlg::FigureText(int index) const
{
    return m_figures.at(static_cast<std::size_t>(index))->text();
}

void CSleepAnalysisDlg::Move(SleepMove move)
{
    const SleepMoveResult moved = MoveSleepWindow(m_place, move);
    m_place = moved.place;
    if (moved.writeSettings) {
        if (const Result<> written = WriteSleepWindow(m_place.window); !written) {
            user().setStatusText(written.error());
        }
    }
    if (moved.analyse) {
        Analyse();
    }
}

void CSleepAnalysisDlg::Analyse()
{
    setWindowTitle(SleepTitle(m_place.date, m_debug));
    const Result<SleepNight> night = LoadSleepNight(appState().workingFolder, m_place);
    if (!night) {
        // No made-up night over a store that cannot be read: the chart stays empty.
        user().setStatusText(night.error());
        m_shown.reset();
        DrawChart(SleepAnalysis());
        return;
    }
    const SleepAnalysis analysis = AnalyseNight(*night, platform::ProcessRandom::instance());
    DrawChart(analysis);
    ShowFigures(analysis);
    m_shown = analysis;
}

void CSleepAnalysisDlg::DrawChart(const SleepAnalysis& analysis)
{
    const SleepWindow& window = m_place.window;
    const SleepDateLabels dates = SleepChartDates(m_place);
    m_chart->SetDateLabels(dates.start, dates.end);
    m_chart->SetYRange(-500.0, 1000.0, 0);
    m_chart->SetXRange(window.startHour(), window.endHour());
    m_chart->SetYTitle(GetLangText(TextRow::SleepTime));
    m_chart->SetXTitle(QString());
    m_chart->SetBackgroundColor(ChartBackground);
    m_chart->SetAxisColor(ChartAxis);
    m_chart->SetSummary(DescribeSleepChart(analysis, m_place));
    // The start in single precision, as the bars have always been placed.
    const auto start = static_cast<double>(static_cast<float>(window.startHour()));
    for (std::size_t k = 0; k < analysis.depth.size(); ++k) {
        m_chart->AddMinute(start + static_cast<double>(k) / 60.0, analysis.depth[k]);
    }
    m_chart->update();
}

void CSleepAnalysisDlg::ShowFigures(const SleepAnalysis& analysis)
{
    const SleepFigureTexts texts = FormatSleepFigures(analysis, m_place.window);
    m_figures.at(0)->setText(texts.fallAsleep);
    m_figures.at(1)->setText(texts.wake);
    m_figures.at(2)->setText(texts.sleepTime);
    m_figures.at(3)->setText(texts.efficiency);
    for (QLabel* figure : m_figures) {
        figure->setAccessibleName(figure->text().replace(u'\n', u' '));
    }
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "goals/ui/missionpage.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "goals/missionactions.h"
#include "goals/missiontexts.h"
#include "widgets/colorlabel.h"
#include "widgets/completionbox.h"
#include "widgets/pictures.h"
#include "widgets/pictureview.h"
#include "widgets/textprogressbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdint>
#include <utility>

namespace trek {

namespace {

constexpr int KindCount = 4;
constexpr int RunningTimerMs = 30000;
const QColor BarColor(0, 100, 0);
const QColor RunningColor(100, 100, 200);
// The platform generation that has a picture of its own.
constexpr int AltPictureGeneration = 7;
constexpr int FullPercent = 100;

MissionValues& Mission(int mission)
{
    return appState().values.missions.at(static_cast<std::size_t>(mission));
}

QString Named(const char* name, int mission)
{
    return QString::fromLatin1(name) + QChar(mission == 0 ? u'A' : u'B');
}

// Hidden while the mission is stopped, yet keeping its place, so nothing jumps at Start.
void KeepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

CMissionPage::CMissionPage(QWidget* parent)
    : CTabPage(parent), m_boxRunner([](CCompletionBox& box) { box.DoModal(); })
{
    setObjectName(QStringLiteral("missionPage"));
    m_picture = new CPictureView(this);
    m_picture->setObjectName(QStringLiteral("missionPicture"));
    m_picture->SetPicture(appState().platformGeneration == AltPictureGeneration
                              ? pictures::MissionFlagAlt
                              : pictures::MissionFlag);
    m_picture->setMinimumSize(96, 160);

    auto* missions = new QVBoxLayout;
    for (int mission = 0; mission < MissionCount; ++mission) {
        BuildMission(mission);
        missions->addWidget(ControlsOf(mission).frame);
    }
    auto* outer = new QHBoxLayout(this);
    outer->addWidget(m_picture, 0);
    outer->addLayout(missions, 1);

    for (int mission = 0; mission < MissionCount; ++mission) {
        FillTarget(mission);
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(RunningTimerMs);
    connect(m_timer, &QTimer::timeout, this, &CMissionPage::UpdateRunningTexts);
    m_timer->start();

    // Missions complete at the start are told when the tab is shown, not now.
    Show();
}

void CMissionPage::BuildMission(int mission)
{
    Controls& built = m_controls.at(static_cast<std::size_t>(mission));
    built.frame = new QGroupBox(this);
    built.frame->setObjectName(Named("mission", mission));

    built.kinds = new QButtonGroup(built.frame);
    auto* kinds = new QHBoxLayout;
    for (int kind = 0; kind < KindCount; ++kind) {
        auto* button = new QRadioButton(built.frame);
        button->setObjectName(Named("kind", mission) + QString::number(kind));
        built.kinds->addButton(button, kind);
        kinds->addWidget(button);
    }
    kinds->addStretch(1);
    connect(built.kinds, &QButtonGroup::idClicked, this,
            [this, mission](int kind) { OnKindClicked(mission, kind); });

    built.caption = new QLabel(built.frame);
    built.target = new QLineEdit(built.frame);
    built.target->setObjectName(Named("target", mission));
    built.target->installEventFilter(this);
    built.caption->setBuddy(built.target);
    built.start = new QPushButton(built.frame);
    built.start->setObjectName(Named("start", mission));
    built.stop = new QPushButton(built.frame);
    built.stop->setObjectName(Named("stop", mission));
    // Enter in a target box must never click a button of the page.
    built.start->setAutoDefault(false);
    built.stop->setAutoDefault(false);
    connect(built.start, &QPushButton::clicked, this, [this, mission] { OnStart(mission); });
    connect(built.stop, &QPushButton::clicked, this, [this, mission] { OnStop(mission); });

    built.bar = new CTextProgressBar(built.frame);
    built.bar->setObjectName(Named("progress", mission));
    built.bar->SetShowText(true);
    built.bar->SetRange(0, FullPercent);
    built.bar->SetPos(0);
    built.bar->SetBarColor(BarColor);
    built.bar->SetTextColor(BarColor);
    KeepPlaceWhenHidden(built.bar);

    built.running = new CColorLabel(built.frame);
    built.running->setObjectName(Named("running", mission));
    built.running->SetTextColor(RunningColor);
    QFont larger = built.running->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.2);
    built.running->setFont(larger);
    built.running->setAutoFillBackground(false); // on the frame's own background
    built.running->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    KeepPlaceWhenHidden(built.running);

    auto* grid = new QGridLayout(built.frame);
    grid->addLayout(kinds, 0, 0, 1, 4);
    grid->addWidget(built.caption, 1, 0);
    grid->addWidget(built.target, 1, 1);
    grid->addWidget(built.start, 1, 2);
    grid->addWidget(built.stop, 1, 3);
    grid->addWidget(built.bar, 2, 0, 1, 4);
    grid->addWidget(built.running, 3, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

QRadioButton* CMissionPage::KindButton(int mission, int kind) const
{
    return qobject_cast<QRadioButton*>(ControlsOf(mission).kinds->button(kind));
}

void CMissionPage::FillTarget(int mission)
{
    const MissionValues& values = Mission(mission);
    ControlsOf(mission).target->setText(
        ShownTarget(KindOfMode(values.mode), values.goes, appState().values.unitMode));
}

void CMissionPage::Show()
{
    ShowTexts();
    if (appState().link.collectingLetter == 0) {
        m_complete = CompleteMissions();
    }
}

void CMissionPage::OnDataChanged()
{
    ShowTexts();
    if (appState().link.collectingLetter != 0) {
        return;
    }
    const std::array<bool, MissionCount> complete = CompleteMissions();
    std::array<bool, MissionCount> reached{};
    for (std::size_t mission = 0; mission < complete.size(); ++mission) {
        reached.at(mission) = complete.at(mission) && !m_complete.at(mission);
    }
    m_complete = complete;
    Congratulate(reached);
}

void CMissionPage::showEvent(QShowEvent* event)
{
    CTabPage::showEvent(event);
    // The window coming back from the task bar is not the tab being shown.
    if (!event->spontaneous()) {
        Congratulate(CompleteMissions());
    }
}

void CMissionPage::ShowTexts()
{
    m_picture->setAccessibleName(MissionsName());
    for (int mission = 0; mission < MissionCount; ++mission) {
        ShowMission(mission);
    }
    UpdateRunningTexts();
}

void CMissionPage::ShowMission(int mission)
{
    const Controls& shown = ControlsOf(mission);
    const MissionValues& values = Mission(mission);
    const MissionKind kind = KindOfMode(values.mode);
    const QString title = MissionTitle(mission);
    shown.frame->setTitle(title);
    for (int k = 0; k < KindCount; ++k) {
        QAbstractButton* button = shown.kinds->button(k);
        button->setText(MissionKindText(static_cast<MissionKind>(k)));
        button->setAccessibleDescription(title);
    }
    shown.kinds->button(static_cast<int>(kind))->setChecked(true);
    shown.caption->setText(TargetCaption(kind, appState().values.unitMode));
    shown.target->setAccessibleName(shown.caption->text());
    shown.target->setAccessibleDescription(title);
    shown.start->setText(StartText());
    shown.stop->setText(StopText());

    const bool running = values.running();
    if (running) {
        // The box cannot be typed into now: it shows the stored target in the current units.
        FillTarget(mission);
        const int percent = MissionProgress(values, CurrentMetricSettings());
        shown.bar->SetPos(percent);
        shown.bar->SetWindowText(ProgressText(percent));
    }
    shown.bar->setAccessibleName(title);
    shown.bar->setVisible(running);
    shown.running->setVisible(running);
    for (QAbstractButton* button : shown.kinds->buttons()) {
        button->setEnabled(!running);
    }
    shown.caption->setEnabled(!running);
    shown.target->setEnabled(!running);
    shown.start->setEnabled(!running);
    shown.stop->setEnabled(running);
}

void CMissionPage::UpdateRunningTexts()
{
    const std::uint32_t now = CurrentTick();
    for (int mission = 0; mission < MissionCount; ++mission) {
        const MissionValues& values = Mission(mission);
        if (values.running()) {
            ControlsOf(mission).running->setText(
                RunningText(RunningTimeSince(values.startTime, now)));
        }
    }
}

void CMissionPage::OnKindClicked(int mission, int kind)
{
    // Stored with the rest at Start; until then only the caption follows.
    Mission(mission).mode = kind;
    ControlsOf(mission).caption->setText(
        TargetCaption(static_cast<MissionKind>(kind), appState().values.unitMode));
    ControlsOf(mission).target->setAccessibleName(ControlsOf(mission).caption->text());
}

void CMissionPage::OnStart(int mission)
{
    if (Mission(mission).running()) {
        return;
    }
    const int mode = std::max(ControlsOf(mission).kinds->checkedId(), 0);
    const TypedTarget typed = ReadTypedTarget(ControlsOf(mission).target->text(), KindOfMode(mode),
                                              appState().values.unitMode);
    switch (typed.verdict) {
    case TypedTarget::Verdict::TooSmall:
        return; // as if Start had not been pressed
    case TypedTarget::Verdict::Negative:
        user().setStatusText(NegativeTargetText(KindOfMode(mode), appState().values.unitMode));
        return;
    case TypedTarget::Verdict::TooLarge:
        user().setStatusText(QStringLiteral("The target %1 is too large for a mission.")
                                 .arg(ControlsOf(mission).target->text().left(40)));
        return;
    case TypedTarget::Verdict::Accepted:
        break;
    }
    if (const Result<> started = StartMission(mission, mode, typed.goes, CurrentTick()); !started) {
        user().setStatusText(started.error());
        return;
    }
    Show();
}

void CMissionPage::OnStop(int mission)
{
    if (const Result<> stopped = StopMission(mission); !stopped) {
        user().setStatusText(stopped.error());
        return;
    }
    Show();
}

std::array<bool, MissionCount> CMissionPage::CompleteMissions() const
{
    std::array<bool, MissionCount> complete{};
    if (appState().link.collectingLetter != 0) {
        return complete;
    }
    for (int mission = 0; mission < MissionCount; ++mission) {
        complete.at(static_cast<std::size_t>(mission)) =
            MissionProgress(Mission(mission), CurrentMetricSettings()) == FullPercent;
    }
    return complete;
}

void CMissionPage::Congratulate(const std::array<bool, MissionCount>& missions)
{
    bool any = false;
    for (std::size_t mission = 0; mission < missions.size(); ++mission) {
        if (missions.at(mission)) {
            m_pending.at(mission) = true;
            any = true;
        }
    }
    if (any) {
        QTimer::singleShot(0, this, &CMissionPage::OpenPendingBoxes);
    }
}

void CMissionPage::OpenPendingBoxes()
{
    if (m_boxOpen) {
        return; // the box open now goes on to the next one when it closes
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != window()) {
        // Another box stands open; the congratulation waits until it is answered.
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            connect(
                dialog, &QDialog::finished, this,
                [this] { QTimer::singleShot(0, this, &CMissionPage::OpenPendingBoxes); },
                Qt::SingleShotConnection);
        } else {
            m_pending = {};
        }
        return;
    }
    const std::array<bool, MissionCount> complete = CompleteMissions();
    for (int mission = 0; mission < MissionCount; ++mission) {
        const auto index = static_cast<std::size_t>(mission);
        if (!std::exchange(m_pending.at(index), false) || !complete.at(index)) {
            continue;
        }
        m_boxOpen = true;
        const QPointer<CMissionPage> alive(this);
        const QPointer<CCompletionBox> box =
            new CCompletionBox(CompletionText(mission), mission + 1, this);
        // A copy: the page may be closed with the window while the box is open.
        const BoxRunner runner = m_boxRunner;
        runner(*box);
        if (!alive) {
            return;
        }
        delete box.data();
        m_boxOpen = false;
    }
}

bool CMissionPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool isTarget = watched == ControlsOf(0).target || watched == ControlsOf(1).target;
        // Enter in a target box does nothing: it reaches no button of the window.
        if (isTarget && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            return true;
        }
    }
    return CTabPage::eventFilter(watched, event);
}

} // namespace trek

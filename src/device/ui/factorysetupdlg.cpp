// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/factorysetupdlg.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "device/discovery.h"
#include "device/localclock.h"
#include "device/ui/ledclockstatic.h"
#include "widgets/colorlabel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace trek {

namespace {

constexpr int ClockIntervalMs = 1000;
constexpr int AnimationIntervalMs = 100;
constexpr int DisplayHeight = 45;
constexpr int RetryCloseMs = 100;

const QColor DisplayBackground(236, 233, 216);
const QColor DisplaySegments(20, 150, 20);
const QColor OpeningText(200, 200, 200);
const QColor Green(0, 180, 0);
const QColor Cyan(100, 250, 250);
const QColor Red(250, 10, 10);

struct StageLook
{
    QColor text;
    QColor background; // invalid: keep the current one
};

StageLook lookOf(FactoryStage stage)
{
    switch (stage) {
    case FactoryStage::Opened:
        return {OpeningText, QColor()};
    case FactoryStage::Waiting:
        return {Qt::black, Green};
    case FactoryStage::Constructing:
        return {Qt::black, Cyan};
    case FactoryStage::Done:
        return {Qt::white, Green};
    case FactoryStage::Failed:
        return {Qt::white, Red};
    }
    return {};
}

} // namespace

CFactorySetupDlg::CFactorySetupDlg(QWidget* parent, RandomBelow random)
    : QDialog(parent), m_setup(ReadPreCopySettings()), m_colours(std::move(random))
{
    setObjectName(QStringLiteral("factorySetup"));
    setWindowTitle(GetLangText(TextRow::FactoryMode));
    BuildControls();
    ShowClock();
    ShowStage(m_setup.Stage());
    ShowCount(0);

    connect(&m_setup, &FactorySetup::stageChanged, this, &CFactorySetupDlg::ShowStage);
    connect(&m_setup, &FactorySetup::succeeded, this, &CFactorySetupDlg::ShowCount);
    m_clockTimer.setInterval(ClockIntervalMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CFactorySetupDlg::ShowClock);
    m_clockTimer.start();
    m_animationTimer.setInterval(AnimationIntervalMs);
    connect(&m_animationTimer, &QTimer::timeout, this, &CFactorySetupDlg::Animate);
    m_animationTimer.start();
}

void CFactorySetupDlg::BuildControls()
{
    m_date = new CLedClockStatic(this);
    m_date->setObjectName(QStringLiteral("factoryDate"));
    m_time = new CLedClockStatic(this);
    m_time->setObjectName(QStringLiteral("factoryTime"));
    for (CLedClockStatic* display : {m_date, m_time}) {
        display->SetBkColor(DisplayBackground);
        display->SetSegmentColor(DisplaySegments);
        display->setFixedHeight(DisplayHeight);
        display->setMinimumWidth(DisplayHeight * 5);
    }

    m_status = new CColorLabel(this);
    m_status->setObjectName(QStringLiteral("factoryStatus"));
    QFont statusFont(QStringLiteral("Arial"));
    statusFont.setPointSize(24);
    statusFont.setBold(true);
    m_status->setFont(statusFont);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(110);
    // Takes the focus when a wristband is being set up, so a screen reader announces it.
    m_status->setFocusPolicy(Qt::TabFocus);

    m_reason = new QLabel(this);
    m_reason->setObjectName(QStringLiteral("factoryReason"));
    m_reason->setWordWrap(true);
    m_reason->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_reason->hide();

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("factoryCount"));
    QFont countFont = font();
    countFont.setPointSize(20);
    countFont.setBold(true);
    m_count->setFont(countFont);
    m_count->setMinimumWidth(60);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("factoryActivity"));
    m_slider->setRange(-SliderSwing::Limit, SliderSwing::Limit);
    m_slider->setValue(0);
    m_slider->setAccessibleName(QStringLiteral("Activity"));
    // It only shows that the window is alive; nobody moves it.
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* clocks = new QHBoxLayout;
    clocks->addWidget(m_date, 10);
    clocks->addWidget(m_time, 8);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count);
    bottom->addWidget(m_slider, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(clocks);
    layout->addWidget(m_status, 1);
    layout->addWidget(m_reason);
    layout->addLayout(bottom);

    // The pre-copy has no controls to change it; the folder it copies is shown so the operator
    // can see what goes onto every wristband.
    const PreCopySettings& preCopy = m_setup.PreCopy();
    if (preCopy.enabled && !preCopy.path.isEmpty()) {
        auto* folder =
            new QLabel(GetLangText(TextRow::PreCopy) + QStringLiteral(": ") + preCopy.path, this);
        folder->setObjectName(QStringLiteral("factoryPreCopy"));
        folder->setAccessibleName(folder->text());
        layout->addWidget(folder);
    }
    resize(560, 300);
}

void CFactorySetupDlg::ShowClock()
{
    const QDateTime now = CurrentLocalTime();
    m_date->SetText(now.toString(QStringLiteral("yyyy-MM-dd")));
    m_time->SetText(now.toString(QStringLiteral("HH:mm:ss")));
}

void CFactorySetupDlg::Animate()
{
    if (!m_setup.Busy()) {
        m_colours.Step();
        m_status->SetBkColor(m_colours.Background());
        m_status->SetTextColor(m_colours.Text());
    }
    m_slider->setValue(m_swing.Step());
}

void CFactorySetupDlg::ShowStage(FactoryStage stage)
{
    const StageLook look = lookOf(stage);
    m_status->setText(m_setup.StatusText());
    m_status->setAccessibleName(m_status->text());
    m_status->SetTextColor(look.text);
    if (look.background.isValid()) {
        m_status->SetBkColor(look.background);
    }
    m_reason->setText(m_setup.LastError());
    m_reason->setAccessibleName(m_setup.LastError());
    m_reason->setVisible(stage == FactoryStage::Failed);
    if (stage == FactoryStage::Constructing) {
        m_status->setFocus();
    }
}

void CFactorySetupDlg::ShowCount(int count)
{
    m_count->setText(QString::number(count));
    m_count->setAccessibleName(QStringLiteral("Wristbands set up: %1").arg(count));
}

void CFactorySetupDlg::done(int result)
{
    if (m_setup.Running()) {
        QTimer::singleShot(RetryCloseMs, this, [this, result] { done(result); });
        return;
    }
    QDialog::done(result);
}

void CFactorySetupDlg::keyPressEvent(QKeyEvent* event)
{
    // The invisible OK button: Enter closes the window as Escape does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void OpenFactorySetup(QWidget* parent)
{
    WristbandLink& link = appState().link;
    link.discoverySuspended = true;
    {
        CFactorySetupDlg dialog(parent);
        dialog.exec();
    }
    ResetLink();
    link.discoverySuspended = false;
    user().notifyRefresh();
}

} // namespace trek

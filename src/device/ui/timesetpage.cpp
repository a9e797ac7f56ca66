// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ui/timesetpage.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "device/clockcheck.h"
#include "device/discovery.h"
#include "device/linklabels.h"
#include "device/saferemoval.h"
#include "device/selectdrive.h"
#include "device/timeset.h"
#include "device/timesetrules.h"
#include "platform/drivetable.h"
#include "platform/systemservices.h"
#include "widgets/namedcombobox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace trek {

namespace {

constexpr int MaxCorrection = 99;
constexpr int CorrectionTick = 10;
constexpr double LargeLetterScale = 1.8;

WristbandSettings& settings()
{
    return appState().wristband;
}

QComboBox* numberList(int count, QWidget* parent)
{
    // Named for screen readers by what it sets, not by the number it shows.
    auto* list = new CNamedComboBox(parent);
    for (int value = 0; value < count; ++value) {
        list->addItem(QString::asprintf("%02d", value));
    }
    return list;
}

// Where the drive is mounted and what its volume is called, for the tool tip and screen readers.
QString driveDescription(char letter)
{
    const platform::DriveTable* drives = appState().services.drives;
    if (drives == nullptr) {
        return {};
    }
    const QString label = drives->volumeLabel(letter);
    return QStringLiteral("Mounted at %1\nVolume label: %2")
        .arg(drives->driveRoot(letter), label.isEmpty() ? QStringLiteral("(none)") : label);
}

// The state of the page's controls is taken over at once, so the shared settings always hold
// what the page shows; only the slider waits for Time Set, since Auto puts it back.
template <typename Widget> void setChecked(Widget* widget, bool checked)
{
    const QSignalBlocker quiet(widget);
    widget->setChecked(checked);
}

} // namespace

CTimeSetPage::CTimeSetPage(QWidget* parent) : CTabPage(parent)
{
    setObjectName(QStringLiteral("maintainPage"));
    BuildControls();
    Fill();
}

void CTimeSetPage::BuildControls()
{
    auto* page = new QHBoxLayout(this);
    page->addWidget(BuildDriveGroup(), 2);
    page->addWidget(BuildTimeSetGroup(), 3);
}

QGroupBox* CTimeSetPage::BuildDriveGroup()
{
    m_driveGroup = new QGroupBox(this);
    m_driveGroup->setObjectName(QStringLiteral("selectDiskGroup"));
    auto* grid = new QGridLayout(m_driveGroup);
    grid->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    // Square buttons, large enough for the connected drive's big letter, two to a row.
    const int side = fontMetrics().height() * 3;
    for (std::size_t index = 0; index < m_driveButtons.size(); ++index) {
        auto* button = new QPushButton(m_driveGroup);
        button->setObjectName(QStringLiteral("driveButton%1").arg(index));
        button->setAutoDefault(false);
        button->setFixedSize(side, side);
        const int column = static_cast<int>(index % 2);
        grid->addWidget(button, static_cast<int>(index / 2), column);
        connect(button, &QPushButton::clicked, this,
                [this, index] { OnDriveButton(static_cast<int>(index)); });
        m_driveButtons.at(index) = button;
    }
    return m_driveGroup;
}

QGroupBox* CTimeSetPage::BuildTimeSetGroup()
{
    m_timeSetGroup = new QGroupBox(this);
    m_timeSetGroup->setObjectName(QStringLiteral("timeSetGroup"));
    QWidget* group = m_timeSetGroup;

    m_twentyFourHour = new QRadioButton(group);
    m_twentyFourHour->setObjectName(QStringLiteral("twentyFourHourButton"));
    m_twelveHour = new QRadioButton(group);
    m_twelveHour->setObjectName(QStringLiteral("twelveHourButton"));
    auto* hourGroup = new QButtonGroup(this);
    hourGroup->addButton(m_twentyFourHour, 0);
    hourGroup->addButton(m_twelveHour, 1);
    connect(hourGroup, &QButtonGroup::idClicked, this,
            [](int mode) { settings().hourMode = mode; });

    m_auto = new QRadioButton(group);
    m_auto->setObjectName(QStringLiteral("autoButton"));
    m_manual = new QRadioButton(group);
    m_manual->setObjectName(QStringLiteral("manualButton"));
    auto* correctionGroup = new QButtonGroup(this);
    correctionGroup->addButton(m_auto);
    correctionGroup->addButton(m_manual);
    connect(correctionGroup, &QButtonGroup::buttonClicked, this, &CTimeSetPage::OnAutoManual);

    m_slider = new QSlider(Qt::Horizontal, group);
    m_slider->setObjectName(QStringLiteral("correctionSlider"));
    m_slider->setRange(-MaxCorrection, MaxCorrection);
    m_slider->setTickInterval(CorrectionTick);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setAccessibleName(QStringLiteral("Clock correction, seconds per day"));
    connect(m_slider, &QSlider::valueChanged, this, &CTimeSetPage::UpdateSliderLabel);
    m_scale = new QLabel(QStringLiteral("-99                    0                    +99"), group);
    m_scale->setObjectName(QStringLiteral("correctionScale"));
    m_scale->setAlignment(Qt::AlignCenter);
    m_scale->setAccessibleName(QStringLiteral("Correction scale from -99 to +99"));
    m_sliderLabel = new QLabel(group);
    m_sliderLabel->setObjectName(QStringLiteral("correctionLabel"));
    m_sliderLabel->setAlignment(Qt::AlignCenter);
    m_sliderLabel->setMinimumWidth(fontMetrics().averageCharWidth() * 20);

    m_sleepMonitor = new QCheckBox(group);
    m_sleepMonitor->setObjectName(QStringLiteral("sleepMonitorBox"));
    connect(m_sleepMonitor, &QCheckBox::clicked, this, &CTimeSetPage::OnSleepMonitorClicked);
    const std::array<int, 4> counts{24, 60, 24, 60};
    const std::array<const char*, 4> names{"sleepStartHour", "sleepStartMinute", "sleepStopHour",
                                           "sleepStopMinute"};
    for (std::size_t index = 0; index < m_sleepLists.size(); ++index) {
        QComboBox* list = numberList(counts.at(index), group);
        list->setObjectName(QLatin1String(names.at(index)));
        connect(list, &QComboBox::currentIndexChanged, this, &CTimeSetPage::TakeSleepTimes);
        m_sleepLists.at(index) = list;
    }
    for (QLabel*& colon : m_colons) {
        colon = new QLabel(QStringLiteral(":"), group);
        colon->setAccessibleName(QStringLiteral("Hour and minute separator"));
    }
    m_stopLabel = new QLabel(group);
    m_stopLabel->setObjectName(QStringLiteral("sleepStopLabel"));
    m_stopLabel->setBuddy(m_sleepLists.at(2));
    m_oneTime = new QRadioButton(group);
    m_oneTime->setObjectName(QStringLiteral("oneTimeButton"));
    m_everyDay = new QRadioButton(group);
    m_everyDay->setObjectName(QStringLiteral("everyDayButton"));
    auto* repeatGroup = new QButtonGroup(this);
    repeatGroup->addButton(m_oneTime, 0);
    repeatGroup->addButton(m_everyDay, 1);
    connect(repeatGroup, &QButtonGroup::idClicked, this,
            [](int everyDay) { settings().sleepMonitorEveryDay = everyDay != 0; });

    m_timeSet = new QPushButton(group);
    m_timeSet->setObjectName(QStringLiteral("timeSetButton"));
    m_timeSet->setAutoDefault(false);
    connect(m_timeSet, &QPushButton::clicked, this, &CTimeSetPage::OnTimeSet);
    m_clockCheck = new QPushButton(group);
    m_clockCheck->setObjectName(QStringLiteral("clockCheckButton"));
    m_clockCheck->setAutoDefault(false);
    connect(m_clockCheck, &QPushButton::clicked, this, &CTimeSetPage::OnClockCheck);

    auto* hours = new QHBoxLayout;
    hours->addWidget(m_twentyFourHour);
    hours->addWidget(m_twelveHour);
    hours->addStretch(1);
    auto* modes = new QHBoxLayout;
    modes->addWidget(m_auto);
    modes->addWidget(m_manual);
    modes->addStretch(1);

    auto* sleepTimes = new QGridLayout;
    sleepTimes->addWidget(m_sleepLists.at(0), 0, 1);
    sleepTimes->addWidget(m_colons.at(0), 0, 2);
    sleepTimes->addWidget(m_sleepLists.at(1), 0, 3);
    sleepTimes->addWidget(m_stopLabel, 1, 0);
    sleepTimes->addWidget(m_sleepLists.at(2), 1, 1);
    sleepTimes->addWidget(m_colons.at(1), 1, 2);
    sleepTimes->addWidget(m_sleepLists.at(3), 1, 3);
    sleepTimes->setColumnStretch(4, 1);
    auto* repeat = new QHBoxLayout;
    repeat->addWidget(m_oneTime);
    repeat->addWidget(m_everyDay);
    repeat->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_clockCheck);
    buttons->addWidget(m_timeSet);

    auto* column = new QVBoxLayout(group);
    column->addLayout(hours);
    column->addSpacing(6);
    column->addLayout(modes);
    column->addWidget(m_slider);
    column->addWidget(m_scale);
    column->addWidget(m_sliderLabel);
    column->addSpacing(6);
    column->addWidget(m_sleepMonitor);
    column->addLayout(sleepTimes);
    column->addLayout(repeat);
    column->addStretch(1);
    column->addLayout(buttons);
    return m_timeSetGroup;
}

void CTimeSetPage::SetTexts()
{
    m_driveGroup->setTitle(GetLangText(TextRow::SelectDisk));
    m_timeSetGroup->setTitle(GetLangText(TextRow::TimeSet));
    const auto named = [](QAbstractButton* button, TextRow textRow) {
        button->setText(GetLangText(textRow));
        button->setAccessibleName(button->text());
    };
    named(m_twentyFourHour, TextRow::TwentyFourHour);
    named(m_twelveHour, TextRow::TwelveHour);
    named(m_auto, TextRow::Auto);
    named(m_manual, TextRow::Manual);
    named(m_sleepMonitor, TextRow::EnableSleepMonitor);
    named(m_oneTime, TextRow::OneTime);
    named(m_everyDay, TextRow::Everyday);
    named(m_timeSet, TextRow::Execute);
    named(m_clockCheck, TextRow::CheckWatch);
    for (std::size_t index = 0; index < m_sleepLists.size(); ++index) {
        m_sleepLists.at(index)->setAccessibleName(
            GetLangText(RowAfter(TextRow::SleepStartHour, static_cast<int>(index))));
    }
    m_stopLabel->setText(GetLangText(TextRow::StopSleepMonitor));
    m_stopLabel->setAccessibleName(m_stopLabel->text());
}

void CTimeSetPage::Fill()
{
    FillDriveButtons();
    const WristbandSettings& held = settings();
    {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(held.clockCorrection);
    }
    setChecked(held.hourMode == 1 ? m_twelveHour : m_twentyFourHour, true);
    const std::array<int, 4> times{held.sleepStartHour, held.sleepStartMinute, held.sleepStopHour,
                                   held.sleepStopMinute};
    for (std::size_t index = 0; index < m_sleepLists.size(); ++index) {
        const QSignalBlocker quiet(m_sleepLists.at(index));
        m_sleepLists.at(index)->setCurrentIndex(times.at(index));
    }
    setChecked(held.sleepMonitorEveryDay ? m_everyDay : m_oneTime, true);
    // Discovery clears "plugged" whenever it finds a wristband, which puts the page on Auto.
    setChecked(appState().link.plugged ? m_manual : m_auto, true);
    SetTexts();
    ApplyRules();
    UpdateSliderLabel();
}

void CTimeSetPage::FillDriveButtons()
{
    const platform::DriveTable* drives = appState().services.drives;
    m_driveLetters = DriveButtonLetters(drives != nullptr ? drives->logicalDriveMask() : 0);
    const char connected = appState().link.driveLetter;
    QFont small = font();
    QFont large = small;
    large.setPointSizeF(small.pointSizeF() * LargeLetterScale);
    large.setWeight(QFont::ExtraBold);
    for (std::size_t index = 0; index < m_driveButtons.size(); ++index) {
        QPushButton* button = m_driveButtons.at(index);
        if (index >= static_cast<std::size_t>(m_driveLetters.size())) {
            button->setText(QString());
            button->setVisible(false);
            continue;
        }
        const char letter = m_driveLetters.at(static_cast<qsizetype>(index));
        button->setText(QString::asprintf("%c:", letter));
        button->setFont(letter == connected ? large : small);
        button->setAccessibleName(QString::asprintf("Drive %c:", letter));
        const QString description = driveDescription(letter);
        button->setToolTip(description);
        button->setAccessibleDescription(description);
        button->setVisible(true);
    }
}

int CTimeSetPage::DriveButtonCount() const
{
    return static_cast<int>(m_driveLetters.size());
}

void CTimeSetPage::ApplyRules()
{
    const TimeSetControls controls = TimeSetControlRules(CurrentTimeSetState(m_busy));
    for (QPushButton* button : m_driveButtons) {
        button->setEnabled(controls.driveButtonsEnabled);
    }
    m_timeSet->setEnabled(controls.timeSetEnabled);
    m_clockCheck->setVisible(controls.clockCheckVisible);
    m_clockCheck->setEnabled(controls.clockCheckEnabled);
    m_auto->setVisible(controls.autoManualVisible);
    m_manual->setVisible(controls.autoManualVisible);
    m_slider->setEnabled(controls.correctionEnabled);
    m_scale->setEnabled(controls.correctionEnabled);
    m_sliderLabel->setEnabled(controls.correctionEnabled);
    setChecked(m_sleepMonitor, settings().sleepMonitorOn);
    for (QComboBox* list : m_sleepLists) {
        list->setEnabled(controls.sleepTimesEnabled);
    }
    for (QLabel* colon : m_colons) {
        colon->setEnabled(controls.sleepTimesEnabled);
    }
    m_stopLabel->setEnabled(controls.sleepTimesEnabled);
    m_oneTime->setEnabled(controls.sleepTimesEnabled);
    m_everyDay->setEnabled(controls.sleepTimesEnabled);
}

void CTimeSetPage::UpdateSliderLabel()
{
    m_sliderLabel->setText(CorrectionLabelText(m_slider->value()));
    m_slider->setAccessibleDescription(m_sliderLabel->text());
}

void CTimeSetPage::OnAutoManual()
{
    appState().link.plugged = m_manual->isChecked();
    if (m_auto->isChecked()) {
        const QSignalBlocker quiet(m_slider);
        m_slider->setValue(settings().clockCorrection);
    }
    UpdateSliderLabel();
    ApplyRules();
}

void CTimeSetPage::OnSleepMonitorClicked()
{
    settings().sleepMonitorOn = m_sleepMonitor->isChecked();
    ApplyRules();
}

void CTimeSetPage::TakeSleepTimes()
{
    WristbandSettings& held = settings();
    held.sleepStartHour = m_sleepLists.at(0)->currentIndex();
    held.sleepStartMinute = m_sleepLists.at(1)->currentIndex();
    held.sleepStopHour = m_sleepLists.at(2)->currentIndex();
    held.sleepStopMinute = m_sleepLists.at(3)->currentIndex();
}

TimeSetChoice CTimeSetPage::Choice() const
{
    TimeSetChoice choice;
    choice.hourMode = m_twelveHour->isChecked() ? 1 : 0;
    const WristbandLink& link = appState().link;
    if (!link.passThrough || m_manual->isChecked()) {
        choice.correction = m_slider->value();
    }
    choice.sleepMonitorOn = m_sleepMonitor->isChecked();
    choice.sleepMonitorEveryDay = m_everyDay->isChecked();
    choice.sleepStart =
        QTime(m_sleepLists.at(0)->currentIndex(), m_sleepLists.at(1)->currentIndex());
    choice.sleepStop =
        QTime(m_sleepLists.at(2)->currentIndex(), m_sleepLists.at(3)->currentIndex());
    return choice;
}

bool CTimeSetPage::RefuseWhileBusy() const
{
    return m_busy || CollectionRunning();
}

void CTimeSetPage::OnDriveButton(int index)
{
    if (RefuseWhileBusy() || index < 0 || index >= m_driveLetters.size()) {
        return;
    }
    m_busy = true;
    ApplyRules();
    (void)SelectDrive(m_driveLetters.at(index)); // the drive label tells how it went
    m_busy = false;
    Fill();
}

bool CTimeSetPage::FactoryGestureHeld() const
{
    const platform::DesktopServices* desktop = appState().services.desktop;
    return desktop != nullptr && desktop->isLeftShiftDown() && desktop->isLeftCtrlDown();
}

void CTimeSetPage::RunFactorySetup()
{
    // Wristbands plugged in for the set-up must not start collections.
    appState().link.discoverySuspended = true;
    emit factorySetupRequested();
    ResetLink();
    user().setDriveLabel(NotFoundLabel());
    Fill();
    appState().link.discoverySuspended = false;
}

void CTimeSetPage::OnTimeSet()
{
    if (RefuseWhileBusy()) {
        return;
    }
    if (FactoryGestureHeld()) {
        RunFactorySetup();
        return;
    }
    const TimeSetChoice choice = Choice();
    m_busy = true;
    ApplyRules();
    // The status line and the boxes tell how it went. A file-model wristband applies CLOCK.TXT
    // only once unplugged, so the user is offered to unmount it at once; the offer speaks for
    // itself, its answer matters only to the command line's exit status.
    const char letter = appState().link.driveLetter;
    if (TimeSet(choice)) {
        (void)OfferSafeRemoval(letter);
    }
    m_busy = false;
    Fill();
}

void CTimeSetPage::OnClockCheck()
{
    if (RefuseWhileBusy()) {
        return;
    }
    m_busy = true;
    ApplyRules();
    (void)ClockCheck(); // the status line and the report box tell how it went
    m_busy = false;
    Fill();
}

} // namespace trek

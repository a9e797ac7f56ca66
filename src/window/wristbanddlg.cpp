// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wristbanddlg.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/settingstable.h"
#include "device/discovery.h"
#include "platform/drivetable.h"
#include "platform/scsitransport.h"
#include "platform/systemservices.h"
#include "update/updatesession.h"
#include "widgets/hoverbutton2.h"
#include "widgets/pictures.h"
#include "widgets/readablecalendar.h"
#include "widgets/tabpage.h"
#include "widgets/textprogressbar.h"
#include "widgets/wbmessages.h"
#include "window/fittedlabel.h"
#include "window/interfacelanguage.h"
#include "window/pagefactory.h"
#include "window/weblink.h"
#include "window/windowuserinterface.h"
#include "window/wristbandtab.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <array>
#include <utility>

namespace trek {

namespace {
constexpr int ClockPeriodMs = 500;
constexpr int DiscoveryDelayMs = 500;
const QColor ProgressBlue(0, 0, 200);
} // namespace

CWristbandDlg::CWristbandDlg(QWidget* parent) : CWristbandDlg(Options{}, parent) {}

CWristbandDlg::CWristbandDlg(const Options& options, QWidget* parent)
    : QDialog(parent), m_options(options)
{
    setObjectName(QStringLiteral("wristbandDlg"));
    setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(pictures::ProgramIconSet());
    (void)InstallQtTranslations(appState().language);
    BuildControls();

    setWindowTitle(BuildTitle());

    m_webButton->LoadBitmap(pictures::WebButton);

    m_progress->SetShowText(false); // inactive until a long operation uses it
    m_progress->SetPos(0);
    m_progress->SetRange(0, 100);
    m_progress->SetBarColor(ProgressBlue);
    m_progress->SetTextColor(ProgressBlue);

    AppState& state = appState();
    state.selectedDate = m_calendar->selectedDate();

    CreatePages();
    LayOutControls();
    FitToScreen();
    RefreshTexts();
    SetDriveLabel(QStringLiteral("< No Disk >"));
    ShowTime();

    m_ui = std::make_unique<WindowUserInterface>(*this);
    state.ui = m_ui.get();
    ConnectDeviceNotifications();

    m_clockTimer.setInterval(ClockPeriodMs);
    connect(&m_clockTimer, &QTimer::timeout, this, &CWristbandDlg::OnClockTick);
    m_clockTimer.start();
    m_discoveryTimer.setSingleShot(true);
    m_discoveryTimer.setInterval(DiscoveryDelayMs);
    connect(&m_discoveryTimer, &QTimer::timeout, this, &CWristbandDlg::OnDiscoveryTimer);
    if (m_options.startDiscovery) {
        m_discoveryTimer.start();
    }
    if (m_options.updateCheckAllowed && state.values.enableUpgrade) {
        StartUpdateCheck();
    }
}

CWristbandDlg::~CWristbandDlg()
{
    m_update.reset(); // a download still running stops and leaves nothing behind
    m_clockTimer.stop();
    m_discoveryTimer.stop();
    AppState& state = appState();
    ReleaseLinkVolume();
    state.link.driveLetter = 0;
    if (state.ui == m_ui.get()) {
        state.ui = nullptr;
    }
}

QString CWristbandDlg::VersionText()
{
    return QStringLiteral("2.010    2014/09/01");
}

QString CWristbandDlg::BuildTitle()
{
    return QStringLiteral("K7") + GetLangText(TextRow::ProgramName) + QStringLiteral(", Ver ") +
           VersionText();
}

void CWristbandDlg::BuildControls()
{
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    KeepCalendarReadable(*m_calendar);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &CWristbandDlg::OnDateSelected);

    m_clock = new CFittedLabel(3.0 / 4.0, 3.2, this);
    m_clock->setObjectName(QStringLiteral("clock"));
    m_clock->setFrameShape(QFrame::StyledPanel);
    m_clock->setFrameShadow(QFrame::Sunken);

    m_driveLabel = new CFittedLabel(5.0 / 6.0, 2.0, this);
    m_driveLabel->setObjectName(QStringLiteral("driveLabel"));
    m_driveLabel->setAccessibleDescription(QStringLiteral("Wristband"));

    m_webButton = new CHoverButton2(this);
    m_webButton->setObjectName(QStringLiteral("webButton"));
    m_webButton->setAccessibleName(QStringLiteral("Web site"));
    m_webButton->setAccessibleDescription(MakerWebSite());
    m_webButton->setToolTip(MakerWebSite());
    connect(m_webButton, &CHoverButton2::clicked, this, &CWristbandDlg::OnWebButtonClicked);

    m_tab = new CWristbandTab(this);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setTextFormat(Qt::PlainText);
    m_status->setAccessibleDescription(QStringLiteral("Status"));
    m_status->setMinimumWidth(m_status->fontMetrics().averageCharWidth() * 20);

    m_progress = new CTextProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setAccessibleDescription(QStringLiteral("Progress"));
}

void CWristbandDlg::LayOutControls()
{
    auto* side = new QVBoxLayout;
    side->addWidget(m_calendar, 0);
    side->addWidget(m_clock, 2);
    side->addWidget(m_driveLabel, 1);
    side->addWidget(m_webButton, 3);

    auto* body = new QHBoxLayout;
    body->addLayout(side, 2);
    body->addWidget(m_tab, 5);

    // The bar paints every pixel of itself, so its border comes from a frame around it.
    auto* progressFrame = new QFrame(this);
    progressFrame->setFrameShape(QFrame::StyledPanel);
    progressFrame->setFrameShadow(QFrame::Sunken);
    auto* progressLayout = new QHBoxLayout(progressFrame);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    progressLayout->addWidget(m_progress);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 3);
    bottom->addWidget(progressFrame, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(bottom, 0);
}

void CWristbandDlg::FitToScreen()
{
    QSize size = sizeHint();
    // The offscreen platform's screen is a made-up 800 x 600; pictures drawn there should show
    // the window at its natural size.
    const QScreen* display = screen();
    if (display != nullptr && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        size = size.boundedTo(display->availableSize() * 9 / 10);
    }
    resize(size.expandedTo(minimumSizeHint()));
}

QSize CWristbandDlg::sizeHint() const
{
    // The window was designed at 665 by 320 dialog units; keep its proportions at any font size.
    // A dialog unit is a quarter of the mean width of the Latin letters and an eighth of the
    // line height of the window's font.
    const QFontMetrics metrics = fontMetrics();
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int unitWidth = metrics.horizontalAdvance(letters) / 52;
    const QSize designed(665 * unitWidth / 4, 320 * metrics.height() / 8);
    return designed.expandedTo(minimumSizeHint());
}

void CWristbandDlg::CreatePages()
{
    const SettingsValues& values = appState().values;
    const bool personKnown = values.height > 0 && values.weightGrams > 0 && values.stepSize > 0;
    m_tab->AddPages(
        static_cast<int>(personKnown ? PageIndex::Report : PageIndex::PersonalInformation));
}

void CWristbandDlg::ConnectDeviceNotifications() const
{
    platform::DriveTable* drives = appState().services.drives;
    if (drives == nullptr) {
        return;
    }
    connect(drives, &platform::DriveTable::volumeArrived, this, &CWristbandDlg::OnVolumeArrival);
    connect(drives, &platform::DriveTable::volumeRemoved, this, &CWristbandDlg::OnVolumeRemoval);
    connect(drives, &platform::DriveTable::devicesChanged, this, &CWristbandDlg::OnDeviceChange);
}

QLabel* CWristbandDlg::ClockLabel() const
{
    return m_clock;
}

void CWristbandDlg::SetStatusText(const QString& text)
{
    m_status->setText(text);
}

void CWristbandDlg::SetDriveLabel(const QString& text)
{
    m_driveLabel->setFittedText(text);
}

QString CWristbandDlg::StatusText() const
{
    return m_status->text();
}

QString CWristbandDlg::DriveLabelText() const
{
    return m_driveLabel->text();
}

void CWristbandDlg::ShowTime()
{
    m_clock->setFittedText(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")));
}

void CWristbandDlg::OnClockTick()
{
    ShowTime();
    m_ui->pumpMessages();
}

void CWristbandDlg::OnDiscoveryTimer()
{
    m_discoveryTimer.stop();
    // The factory set-up, open from the start, handles the wristbands itself.
    if (appState().link.discoverySuspended) {
        return;
    }
    DiscoverWristband();
}

void CWristbandDlg::OnDateSelected()
{
    appState().selectedDate = m_calendar->selectedDate();
    WbMessageEvent::send(m_tab, WbMessage::DateSelected);
}

void CWristbandDlg::OnWebButtonClicked()
{
    if (platform::DesktopServices* desktop = appState().services.desktop) {
        desktop->openUrl(MakerWebSite());
    }
}

void CWristbandDlg::StartUpdateCheck()
{
    UpdateSettings settings = CurrentUpdateSettings();
    if (!m_options.updateProgram.isEmpty()) {
        settings.programPath = m_options.updateProgram;
    }
    // A build the server's file can never replace has nothing to ask the server at each start;
    // trekkomat-cli update check still asks on demand.
    if (!ServerFileCanReplace(settings.programPath)) {
        return;
    }
    m_update = std::make_unique<UpdateSession>(std::move(settings));
    connect(m_update.get(), &UpdateSession::done, this, &CWristbandDlg::OnUpdateDone);
    // Once the window is up, so that its question and progress have somewhere to show.
    QTimer::singleShot(0, m_update.get(), &UpdateSession::start);
}

void CWristbandDlg::OnUpdateDone()
{
    const UpdateOutcome& outcome = m_update->outcome();
    if (outcome.state == UpdateOutcome::State::NotWritable) {
        SetStatusText(u' ' + outcome.reason);
    }
}

void CWristbandDlg::OnVolumeArrival(std::uint32_t unitMask)
{
    trek::OnVolumeArrival(unitMask);
}

void CWristbandDlg::OnVolumeRemoval(std::uint32_t unitMask)
{
    trek::OnVolumeRemoval(unitMask);
}

void CWristbandDlg::OnDeviceChange()
{
    trek::OnDeviceChange();
}

void CWristbandDlg::RefreshTexts()
{
    setWindowTitle(BuildTitle());
    m_tab->RetitlePages();
    ApplyCalendarLanguage();
    NameTextlessControls();
}

void CWristbandDlg::NameTextlessControls()
{
    // The calendar's month arrows and the bar show no text a screen reader could name them by.
    const std::array<std::pair<const char*, TextRow>, 2> arrows{
        {{"qt_calendar_prevmonth", TextRow::PreviousMonth},
         {"qt_calendar_nextmonth", TextRow::NextMonth}}};
    for (const auto& [name, textRow] : arrows) {
        if (auto* arrow = m_calendar->findChild<QWidget*>(QLatin1String(name))) {
            arrow->setAccessibleName(GetLangText(textRow));
            arrow->setToolTip(GetLangText(textRow));
        }
    }
    m_progress->setAccessibleName(GetLangText(TextRow::Progress));
}

void CWristbandDlg::ApplyCalendarLanguage()
{
    // A new locale may move the first day of the week; Qt then leaves the highlight in the old
    // cell, so the selected date is set afresh afterwards (without telling anyone).
    const QSignalBlocker quiet(m_calendar);
    const QDate selected = m_calendar->selectedDate();
    m_calendar->setLocale(CurrentLanguage().locale());
    m_calendar->setSelectedDate(selected.addDays(1));
    m_calendar->setSelectedDate(selected);
}

bool CWristbandDlg::event(QEvent* event)
{
    if (const WbMessageEvent* message = WbMessageEvent::from(event)) {
        switch (message->message()) {
        case WbMessage::HandCursor:
            if (message->first() == 0) {
                m_webButton->setCursor(Qt::PointingHandCursor);
            } else {
                m_webButton->setCursor(Qt::ArrowCursor);
            }
            return true;
        case WbMessage::Refresh:
            RefreshTexts();
            return true;
        default:
            break;
        }
    }
    return QDialog::event(event);
}

} // namespace trek

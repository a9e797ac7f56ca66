// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

class QCalendarWidget;
class QLabel;

namespace trek {

class CColorLabel;
class CFittedLabel;
class CHoverButton2;
class CTabPage;
class CTextProgressBar;
class CWristbandTab;
class UpdateSession;
class WindowUserInterface;

// The program's one main window: the six pages, the calendar the reports follow, the clock, the
// drive label, the status line and the progress bar. It also turns the device notifications into
// discovery and hands the private messages on to the pages.
class CWristbandDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWristbandDlg)
public:
    struct Options
    {
        bool updateCheckAllowed = true; // false for tests, demos and --no-update-check
        bool startDiscovery = true;     // the one-shot discovery half a second after opening
        QString updateProgram; // the program file the update compares and replaces; empty: ours
    };

    explicit CWristbandDlg(QWidget* parent = nullptr);
    CWristbandDlg(const Options& options, QWidget* parent = nullptr);
    ~CWristbandDlg() override;

    static QString VersionText();
    // "K7", language row 0, ", Ver " and the version, in the current language.
    static QString BuildTitle();

    void SetStatusText(const QString& text);
    void SetDriveLabel(const QString& text);
    QString StatusText() const;
    QString DriveLabelText() const;

    CWristbandTab* TabControl() const { return m_tab; }
    CTextProgressBar* ProgressBar() const { return m_progress; }
    QCalendarWidget* Calendar() const { return m_calendar; }
    CHoverButton2* WebButton() const { return m_webButton; }
    // The update check of this run; null when it is off or could never find a newer file.
    UpdateSession* Update() const { return m_update.get(); }
    QLabel* ClockLabel() const;

    // Device notifications, handed to discovery (which ignores them while it is suspended).
    void OnVolumeArrival(std::uint32_t unitMask);
    void OnVolumeRemoval(std::uint32_t unitMask);
    void OnDeviceChange();

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void LayOutControls();
    void FitToScreen();
    void CreatePages();
    void ConnectDeviceNotifications() const;
    void ShowTime();
    void OnClockTick();
    void OnDiscoveryTimer();
    void OnDateSelected();
    void OnWebButtonClicked();
    void RefreshTexts();
    void ApplyCalendarLanguage();
    void NameTextlessControls();
    void StartUpdateCheck();
    void OnUpdateDone();

    Options m_options;
    QLabel* m_status = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    CFittedLabel* m_clock = nullptr;
    CFittedLabel* m_driveLabel = nullptr;
    CTextProgressBar* m_progress = nullptr;
    CHoverButton2* m_webButton = nullptr;
    CWristbandTab* m_tab = nullptr;
    QTimer m_clockTimer;     // the clock, twice a second
    QTimer m_discoveryTimer; // the first discovery, once, half a second after opening
    std::unique_ptr<WindowUserInterface> m_ui;
    std::unique_ptr<UpdateSession> m_update;
};

} // namespace trek

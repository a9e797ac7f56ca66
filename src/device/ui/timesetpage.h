// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/tabpage.h"

#include <QList>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace trek {

struct TimeSetChoice;

// The Maintain tab: choose the wristband's drive by hand, set its clock with the correction,
// hour mode and sleep-monitor times, and read its clock back to see how far it drifted. It
// shows appState()'s wristband settings and link and keeps nothing of its own; the device
// layer does the work (SelectDrive, TimeSet, ClockCheck), so the command-line tool does the same.
class CTimeSetPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTimeSetPage)
public:
    explicit CTimeSetPage(QWidget* parent = nullptr);

    // Shows the settings, the link and the drives anew, in the current language.
    void Fill();
    // The handlers of the buttons; each returns at once while a collection runs.
    void OnDriveButton(int index);
    // With left Shift and left Ctrl held, asks for the factory set-up instead (discovery is
    // suspended meanwhile and the link forgotten afterwards).
    void OnTimeSet();
    void OnClockCheck();

    // The choice the page's controls make, as Time Set sends it.
    TimeSetChoice Choice() const;

    QPushButton* DriveButton(int index) const { return m_driveButtons.at(index); }
    int DriveButtonCount() const; // the visible ones
    QPushButton* TimeSetButton() const { return m_timeSet; }
    QPushButton* ClockCheckButton() const { return m_clockCheck; }
    QSlider* CorrectionSlider() const { return m_slider; }
    QLabel* CorrectionLabel() const { return m_sliderLabel; }
    QRadioButton* AutoButton() const { return m_auto; }
    QRadioButton* ManualButton() const { return m_manual; }
    QRadioButton* TwelveHourButton() const { return m_twelveHour; }
    QCheckBox* SleepMonitorBox() const { return m_sleepMonitor; }
    QComboBox* SleepStartHourList() const { return m_sleepLists.at(0); }
    QRadioButton* EveryDayButton() const { return m_everyDay; }

signals:
    // Shift+Ctrl on Time Set. Connect it directly to a slot that runs the factory set-up dialog
    // modally: the page resumes discovery and refills itself when the signal returns.
    void factorySetupRequested();

protected:
    void OnDataChanged() override { Fill(); }
    void OnRefresh() override { Fill(); }

private:
    void BuildControls();
    QGroupBox* BuildDriveGroup();
    QGroupBox* BuildTimeSetGroup();
    void SetTexts();
    void FillDriveButtons();
    void ApplyRules();
    void UpdateSliderLabel();
    void OnAutoManual();
    void OnSleepMonitorClicked();
    void TakeSleepTimes();
    void RunFactorySetup();
    bool FactoryGestureHeld() const;
    bool RefuseWhileBusy() const;

    QGroupBox* m_driveGroup = nullptr;
    QGroupBox* m_timeSetGroup = nullptr;
    std::array<QPushButton*, 8> m_driveButtons{};
    QList<char> m_driveLetters;
    QRadioButton* m_twentyFourHour = nullptr;
    QRadioButton* m_twelveHour = nullptr;
    QRadioButton* m_auto = nullptr;
    QRadioButton* m_manual = nullptr;
    QSlider* m_slider = nullptr;
    QLabel* m_scale = nullptr;
    QLabel* m_sliderLabel = nullptr;
    QCheckBox* m_sleepMonitor = nullptr;
    // Start hour, start minute, stop hour, stop minute.
    std::array<QComboBox*, 4> m_sleepLists{};
    std::array<QLabel*, 2> m_colons{};
    QLabel* m_stopLabel = nullptr;
    QRadioButton* m_oneTime = nullptr;
    QRadioButton* m_everyDay = nullptr;
    QPushButton* m_timeSet = nullptr;
    QPushButton* m_clockCheck = nullptr;
    bool m_busy = false; // the page is waiting on the wristband
};

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/factorysetup.h"
#include "device/ui/factoryanimation.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QSlider;

namespace trek {

class CColorLabel;
class CLedClockStatic;

// The factory set-up window: the PC's date and time on two seven-segment displays, the status
// of the wristband being set up in large letters, how many were set up, and a swinging slider
// that shows it is alive. The work is FactorySetup's; the window only shows it.
class CFactorySetupDlg final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFactorySetupDlg)
public:
    // `random` feeds the colour animation; by default a source of the dialog's own.
    explicit CFactorySetupDlg(QWidget* parent = nullptr, RandomBelow random = OwnRandomSource());

    FactorySetup& Setup() { return m_setup; }
    CLedClockStatic* DateDisplay() const { return m_date; }
    CLedClockStatic* TimeDisplay() const { return m_time; }
    CColorLabel* Status() const { return m_status; }
    QLabel* Reason() const { return m_reason; }
    QLabel* CountLabel() const { return m_count; }
    QSlider* Slider() const { return m_slider; }

    // The two timers' work: the clock every second, the animation every tenth.
    void ShowClock();
    void Animate();

    // Closing waits for a set-up under way to end.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void ShowStage(FactoryStage stage);
    void ShowCount(int count);

    FactorySetup m_setup;
    StatusColourCycle m_colours;
    SliderSwing m_swing;
    QTimer m_clockTimer;
    QTimer m_animationTimer;
    CLedClockStatic* m_date = nullptr;
    CLedClockStatic* m_time = nullptr;
    CColorLabel* m_status = nullptr;
    QLabel* m_reason = nullptr;
    QLabel* m_count = nullptr;
    QSlider* m_slider = nullptr;
};

// What the Maintain page's Shift+Ctrl gesture opens: the main window's discovery rests while
// the dialog is open, and the wristband it knew is forgotten afterwards, since the operator has
// plugged others in and out meanwhile.
void OpenFactorySetup(QWidget* parent);

} // namespace trek

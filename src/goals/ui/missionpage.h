// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "goals/missionprogress.h"
#include "widgets/tabpage.h"

#include <array>
#include <functional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace trek {

class CColorLabel;
class CCompletionBox;
class CPictureView;
class CTextProgressBar;

// The missions tab: two missions, A and B, each with a kind of target, the target, Start and
// Stop, a progress bar and the time since its start. A running mission at 100 % congratulates
// the person when the tab is shown and once when a collection completes it; never over another
// box, and not at the other refreshes (a language change, a plug-in, a reset, the start).
class CMissionPage final : public CTabPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMissionPage)
public:
    // Opens a completion box; modally unless a test says otherwise.
    using BoxRunner = std::function<void(CCompletionBox& box)>;

    explicit CMissionPage(QWidget* parent = nullptr);

    // Texts, states and progress of both missions anew.
    void Show();
    // `mission` is 0 for A and 1 for B.
    void OnStart(int mission);
    void OnStop(int mission);
    // The running-time labels, also every 30 seconds.
    void UpdateRunningTexts();

    void SetBoxRunner(BoxRunner runner) { m_boxRunner = std::move(runner); }

    QGroupBox* Frame(int mission) const { return ControlsOf(mission).frame; }
    QRadioButton* KindButton(int mission, int kind) const;
    QLabel* Caption(int mission) const { return ControlsOf(mission).caption; }
    QLineEdit* TargetEdit(int mission) const { return ControlsOf(mission).target; }
    QPushButton* StartButton(int mission) const { return ControlsOf(mission).start; }
    QPushButton* StopButton(int mission) const { return ControlsOf(mission).stop; }
    CTextProgressBar* ProgressBar(int mission) const { return ControlsOf(mission).bar; }
    CColorLabel* RunningLabel(int mission) const { return ControlsOf(mission).running; }
    const QTimer* RunningTimer() const { return m_timer; }

protected:
    // A collection that completes a mission congratulates when it ends.
    void OnDataChanged() override;
    void OnRefresh() override { Show(); }
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Controls
    {
        QGroupBox* frame = nullptr;
        QButtonGroup* kinds = nullptr;
        QLabel* caption = nullptr;
        QLineEdit* target = nullptr;
        QPushButton* start = nullptr;
        QPushButton* stop = nullptr;
        CTextProgressBar* bar = nullptr;
        CColorLabel* running = nullptr;
    };

    const Controls& ControlsOf(int mission) const
    {
        return m_controls.at(static_cast<std::size_t>(mission));
    }
    void BuildMission(int mission);
    void FillTarget(int mission);
    void ShowTexts();
    void ShowMission(int mission);
    void OnKindClicked(int mission, int kind);
    // Which missions stand at 100 %; none while a collection runs, whose steps are not all
    // counted yet.
    std::array<bool, MissionCount> CompleteMissions() const;
    // Opens the boxes of `missions` once the messages being handed round have reached every
    // page and no other box stands open.
    void Congratulate(const std::array<bool, MissionCount>& missions);
    void OpenPendingBoxes();

    std::array<Controls, 2> m_controls{};
    CPictureView* m_picture = nullptr;
    QTimer* m_timer = nullptr;
    BoxRunner m_boxRunner;
    bool m_boxOpen = false;
    std::array<bool, MissionCount> m_complete{}; // as last seen outside a collection
    std::array<bool, MissionCount> m_pending{};  // boxes waiting to be opened
};

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QObject>
#include <QString>

namespace trek {

// The folder the factory set-up copies onto every wristband ("PreCopy" "Enable" and "Path").
struct PreCopySettings
{
    bool enabled = false;
    QString path;
};
PreCopySettings ReadPreCopySettings();

// The longest pre-copy folder path taken; a longer one fails the set-up rather than being cut
// to a folder nobody configured.
inline constexpr int MaxPreCopyPathLength = 255;

enum class FactoryStage {
    Opened,       // "Plug-in DISK, Auto Setup", before the first device change
    Waiting,      // the same text: no wristband plugged in
    Constructing, // "Disk-%c Constructing ... ..."
    Done,         // ">>> Setup OK, Remove Disk <<<"
    Failed,       // "### Setup failed ###"; LastError() says why
};

// The factory set-up without its window, for the dialog and the command-line tool: at every
// device change it looks for a wristband and, when one is new, gives it the PC's time and the
// current wristband settings (CLOCK.TXT and the marker, or the settings block for a wristband
// without a drive letter) and the pre-copy folder. A wristband counts only when all of that was
// written. One wristband is handled at a time: the next is only looked at after a device change
// has found none plugged in. Discovery must be suspended while it runs.
class FactorySetup final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FactorySetup)
public:
    // Follows the device changes of the installed drive table. A wristband already plugged in
    // is handled at the first device change, not at once.
    explicit FactorySetup(PreCopySettings preCopy, QObject* parent = nullptr);

    // Handles one device change. One that arrives while a set-up is under way (the window's
    // events run during it) is handled once that set-up has ended.
    void Run();
    // No more device changes are handled, not even one waiting for the set-up under way.
    void Stop();

    const PreCopySettings& PreCopy() const { return m_preCopy; }
    bool Running() const { return m_running; }
    // A wristband was handled and has not been removed yet.
    bool Busy() const { return m_busy; }
    // The wristband handled last: its drive letter, '*' for one without, 0 for none.
    char CurrentLetter() const { return m_current; }
    int Count() const { return m_count; }
    FactoryStage Stage() const { return m_stage; }
    // The stage's text in the current language.
    QString StatusText() const;
    // Why the last set-up failed.
    const QString& LastError() const { return m_lastError; }

signals:
    void stageChanged(trek::FactoryStage stage);
    void succeeded(int count);

private:
    void RunOnce();
    char FindWristband();
    Result<> SetUpWristband(char letter) const;
    void Enter(FactoryStage stage);

    PreCopySettings m_preCopy;
    bool m_running = false;
    bool m_pending = false;
    bool m_stopped = false;
    bool m_busy = false;
    char m_current = 0;
    int m_count = 0;
    FactoryStage m_stage = FactoryStage::Opened;
    QString m_lastError;
};

} // namespace trek

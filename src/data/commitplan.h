// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/importledger.h"
#include "platform/regularfile.h"
#include "platform/result.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace trek {

// A store file's whole new content. Only its name is kept, never a path: a journal is finished
// in whatever folder it is found, even when the working folder was moved or copied meanwhile.
struct StoredMonth
{
    QString name; // "StepoYYYYMM.BIN" in the store folder
    QByteArray content;
};

// A counter of the settings file as the commit found it and as it leaves it. Applying it again
// finds `after` and leaves it alone; a value someone else changed in between gets the increment.
struct CounterChange
{
    QString section;
    QString key;
    int before = 0;
    int after = 0;
};

// Everything one commit does, in the order it is done. Written to the journal before the first
// file changes, so that a commit cut short by a crash or a full disk is finished, not guessed at.
struct CommitPlan
{
    std::vector<StoredMonth> months;
    std::vector<CounterChange> counters;
    std::optional<ImportLedger> ledger; // the ledger's new content
    // Day files to remove from the wristband once the rest is stored: only a file that still has
    // the stamped size and content goes. The folder they are in is known only to the commit
    // that reads them and is never journalled: by the time a journal is finished the disk may be
    // mounted elsewhere, or another disk may sit at that path. The journal keeps the volume's
    // identity instead, so that a recovery removes them only from that very volume.
    QString wristbandRoot;
    QString wristbandVolume;
    std::vector<DayFileStamp> dayFilesToRemove;
    // The versions, by name, of the day files this very commit read. A file still in its
    // version is removed without being read again; any other is read and matched with its
    // stamp. Never journalled: a recovery reads every file.
    QHash<QString, platform::FileVersion> dayFilesAsRead;
};

QByteArray EncodeCommitPlan(const CommitPlan& plan);
// Whether `bytes` are a journal written to its end; one cut short was never applied.
bool IsWholeJournal(const QByteArray& bytes);
// Fails on anything but a whole journal written by EncodeCommitPlan, of this version or the one
// before, and on one that names anything outside its working folder: a store file by another
// name, a day file with a folder in its name.
[[nodiscard]] Result<CommitPlan> DecodeCommitPlan(const QByteArray& bytes);

} // namespace trek

#pragma once

#include "data/importledger.h"
#include "platform/result.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace trek {

// A store file's whole new content.
struct StoredMonth
{
    QString path;
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
    // the stamped size and content goes.
    QString wristbandRoot;
    std::vector<DayFileStamp> dayFilesToRemove;
};

QByteArray EncodeCommitPlan(const CommitPlan& plan);
// Whether `bytes` are a journal written to its end; one cut short was never applied.
bool IsWholeJournal(const QByteArray& bytes);
// Fails on anything but a whole journal written by EncodeCommitPlan of this version.
[[nodiscard]] Result<CommitPlan> DecodeCommitPlan(const QByteArray& bytes);

} // namespace trek

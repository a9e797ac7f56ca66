// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/commitplan.h"
#include "platform/result.h"

#include <QString>

namespace trek {

QString JournalPath(const QString& workingFolder);

// What became of the acknowledgements, which never undo a commit: a day file that could not be
// removed stays in the ledger and is removed, uncounted, at the next collection.
struct CommitOutcome
{
    int dayFilesLeft = 0;
    QString removalError; // the first removal's reason
    int daysChanged = 0;  // days of the store whose steps the commit changed
};

// Commits `plan` in appState()'s working folder: the journal is written and synced first, then
// the months, the counters, the ledger and the removals are applied, and the journal goes.
// A failure before the journal is on disk changes nothing. A failure after it leaves the
// journal, and the commit is finished at the next start or collection: from then on the plan
// holds, it is never taken back. The caller holds the working-folder lock.
[[nodiscard]] Result<CommitOutcome> CommitThroughJournal(const CommitPlan& plan);

// Finishes a commit that a crash, an unplug or a full disk left behind, idempotently; a torn
// journal (nothing of it was applied) is removed. Succeeds when no journal is left. The caller
// holds the working-folder lock.
[[nodiscard]] Result<> RecoverPendingCommit();

} // namespace trek

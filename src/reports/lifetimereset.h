// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QStringList>

namespace trek {

// Where a lifetime reset puts the store's month files.
enum class StoreDisposal {
    Trash,  // into the desktop's trash, from where the user can bring them back
    Delete, // for good: no trash can take them
};

// Where a reset would put the store files now; the question asked before it says so.
StoreDisposal CurrentStoreDisposal();

// What a lifetime reset could not do. The reset goes on past a store file it cannot move or
// delete, so that everything else is forgotten as asked; the files left are named here.
struct LifetimeResetOutcome
{
    StoreDisposal disposal = StoreDisposal::Delete;
    QStringList filesLeft;
    bool totalsCleared = false;
};

// Forgets everything the wristband ever delivered: every month file of the store goes as
// `disposal` says (a file the trash refuses stays where it is: the user was told it could be
// brought back), then the lifetime totals (the files first, so that a failure never leaves zero
// totals beside the old months). The missions keep their counts. Fails only when the working
// folder cannot be taken from another program's collection; the outcome names whatever else
// failed.
[[nodiscard]] Result<LifetimeResetOutcome> ResetLifetime(StoreDisposal disposal);

// One line for the user about an outcome that left something behind; empty when it did not.
QString DescribeResetFailure(const LifetimeResetOutcome& outcome);

} // namespace trek

#pragma once

#include "platform/result.h"

#include <QStringList>

namespace trek {

// What a lifetime reset could not do. The reset goes on past a store file it cannot delete, so
// that everything else is forgotten as asked; the files left are named here.
struct LifetimeResetOutcome
{
    QStringList undeletedFiles;
    bool totalsCleared = false;
};

// Forgets everything the wristband ever delivered: every month file of the store, then the
// lifetime totals (deleting first, so that a failure never leaves zero totals beside the old
// months). The missions keep their counts. Fails only when the working folder cannot be taken
// from another program's collection; the outcome names whatever else failed.
[[nodiscard]] Result<LifetimeResetOutcome> ResetLifetime();

// One line for the user about an outcome that left something behind; empty when it did not.
QString DescribeResetFailure(const LifetimeResetOutcome& outcome);

} // namespace trek

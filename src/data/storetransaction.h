// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/commitjournal.h"
#include "data/monthbuffer.h"
#include "data/stepcounters.h"

#include <QString>
#include <QtGlobal>
#include <map>

namespace trek {

// The additions of one import or device reading, held back until all of them are safely stored.
// Months are loaded on first use and kept open; Commit() hands every touched month and the
// counter additions, with what acknowledges the reading, to the journal in one plan. The caller
// holds the working-folder lock from the first Month() to the commit, so no other program
// changes a loaded month or a counter in between.
class StoreTransaction final
{
    Q_DISABLE_COPY_MOVE(StoreTransaction)
public:
    // Works on appState()'s working folder.
    StoreTransaction();
    ~StoreTransaction() = default;

    // The open month, loaded when first asked for; null when its store file cannot be used
    // (error() says why). Invalid months (outside 1..12) are refused too. A refused month adds
    // nothing: the caller decides whether the reading can go on without it.
    MonthBuffer* Month(int year, int month);
    StepCounters& counters() { return m_counters; }
    const QString& error() const { return m_error; }

    // Stores the months and counters together with `acknowledgement` (the ledger and the day
    // files to remove), and tells how many days it changed. See CommitThroughJournal() for what
    // a failure leaves.
    [[nodiscard]] Result<CommitOutcome> Commit(CommitPlan acknowledgement);

private:
    QString m_workingFolder;
    StepCounters m_counters;
    std::map<int, MonthBuffer> m_months; // by year * 100 + month: saved in calendar order
    std::map<int, QByteArray> m_loaded;  // the same months as they were read, to count the days
    QString m_error;
};

} // namespace trek

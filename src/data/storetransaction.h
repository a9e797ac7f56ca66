#pragma once

#include "data/monthbuffer.h"
#include "data/stepcounters.h"

#include <QString>
#include <QtGlobal>
#include <map>

namespace trek {

// The additions of one import or device reading, held back until all of them are safely stored.
// Months are loaded on first use and kept open; Commit() saves every touched month, then the
// counters, and only then hands the counters to appState(). A failure anywhere puts back the
// months already saved, so the store and the counters stay as they were and a retry of the same
// records counts each step exactly once.
class StoreTransaction final
{
    Q_DISABLE_COPY_MOVE(StoreTransaction)
public:
    // Works on appState(): its working folder and its counters.
    StoreTransaction();
    ~StoreTransaction() = default;

    // The open month, loaded when first asked for; null when its store file cannot be used
    // (error() says why). Invalid months (outside 1..12) are refused too. A refused month adds
    // nothing: the caller decides whether the reading can go on without it.
    MonthBuffer* Month(int year, int month);
    StepCounters& counters() { return m_counters; }
    const QString& error() const { return m_error; }
    int monthCount() const { return static_cast<int>(m_months.size()); }

    [[nodiscard]] Result<> Commit();

private:
    struct OpenMonth
    {
        MonthBuffer buffer;
        QByteArray original; // the file as it was, to put back on a failed commit
        bool existed = false;
    };
    void RollBack(const std::map<int, OpenMonth>::iterator& end);

    QString m_workingFolder;
    StepCounters m_counters;
    StepCounters m_original;
    std::map<int, OpenMonth> m_months; // by year * 100 + month: saved in calendar order
    QString m_error;
};

} // namespace trek

#include "data/storetransaction.h"

#include "app/appstate.h"
#include "data/storepath.h"

namespace trek {

StoreTransaction::StoreTransaction()
    : m_workingFolder(appState().workingFolder), m_counters(StepCounters::ForReading())
{}

MonthBuffer* StoreTransaction::Month(int year, int month)
{
    if (month < 1 || month > 12 || year < 0 || year > 9999) {
        m_error =
            QStringLiteral("Records dated %1-%2 cannot belong to any month.").arg(year).arg(month);
        return nullptr;
    }
    const int key = year * 100 + month;
    if (auto found = m_months.find(key); found != m_months.end()) {
        return &found->second;
    }
    MonthBuffer buffer;
    if (const Result<> loaded = buffer.Load(m_workingFolder, year, month); !loaded) {
        m_error = loaded.error();
        return nullptr;
    }
    return &m_months.emplace(key, std::move(buffer)).first->second;
}

Result<CommitOutcome> StoreTransaction::Commit(CommitPlan acknowledgement)
{
    CommitPlan& plan = acknowledgement;
    for (const auto& [key, buffer] : m_months) {
        plan.months.push_back({StoreFileName(key / 100, key % 100), buffer.toBytes()});
    }
    plan.counters = CounterChanges(m_counters);
    Result<CommitOutcome> outcome = CommitThroughJournal(plan);
    if (!outcome) {
        m_error = outcome.error();
        return outcome;
    }
    m_counters = StepCounters::ForReading();
    m_months.clear();
    return outcome;
}

} // namespace trek

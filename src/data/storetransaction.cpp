#include "data/storetransaction.h"

#include "app/appstate.h"
#include "data/storepath.h"
#include "platform/regularfile.h"

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
        plan.months.push_back({buffer.path(), buffer.toBytes()});
    }
    plan.counters = CounterChanges(m_counters);
    // Applying the journal would make a missing store folder as the umask says; made here
    // first, it is its user's alone like the files it holds. Nothing is stored yet when it
    // cannot be made.
    if (!plan.months.empty()) {
        if (Result<> made = platform::makePrivateFolders(StoreFolder(m_workingFolder)); !made) {
            m_error = made.error();
            return fail(made.error());
        }
    }
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

// SPDX-License-Identifier: GPL-3.0-or-later
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
    m_loaded.emplace(key, buffer.toBytes());
    return &m_months.emplace(key, std::move(buffer)).first->second;
}

namespace {

// The day rows that differ between two contents of one store file.
int ChangedDays(const QByteArray& before, const QByteArray& after)
{
    constexpr qsizetype DayBytes = qsizetype{2} * MonthBuffer::MinutesPerDay;
    int changed = 0;
    for (qsizetype day = 0; day < MonthBuffer::DayRows; ++day) {
        if (before.mid(day * DayBytes, DayBytes) != after.mid(day * DayBytes, DayBytes)) {
            ++changed;
        }
    }
    return changed;
}

} // namespace

Result<CommitOutcome> StoreTransaction::Commit(CommitPlan acknowledgement)
{
    CommitPlan& plan = acknowledgement;
    int daysChanged = 0;
    for (const auto& [key, buffer] : m_months) {
        plan.months.push_back({StoreFileName(key / 100, key % 100), buffer.toBytes()});
        daysChanged += ChangedDays(m_loaded.at(key), plan.months.back().content);
    }
    plan.counters = CounterChanges(m_counters);
    Result<CommitOutcome> outcome = CommitThroughJournal(plan);
    if (!outcome) {
        m_error = outcome.error();
        return outcome;
    }
    outcome->daysChanged = daysChanged;
    m_counters = StepCounters::ForReading();
    m_months.clear();
    m_loaded.clear();
    return outcome;
}

} // namespace trek

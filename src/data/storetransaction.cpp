#include "data/storetransaction.h"

#include "app/appstate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trek {

StoreTransaction::StoreTransaction()
    : m_workingFolder(appState().workingFolder), m_counters(StepCounters::FromAppState()),
      m_original(m_counters)
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
        return &found->second.buffer;
    }
    OpenMonth open;
    if (const Result<> loaded = open.buffer.Load(m_workingFolder, year, month); !loaded) {
        m_error = loaded.error();
        return nullptr;
    }
    QFile file(open.buffer.path());
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("The store file %1 cannot be read: %2.")
                          .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
            return nullptr;
        }
        open.original = file.readAll();
        open.existed = true;
    }
    return &m_months.emplace(key, std::move(open)).first->second.buffer;
}

void StoreTransaction::RollBack(const std::map<int, OpenMonth>::iterator& end)
{
    for (auto it = m_months.begin(); it != end; ++it) {
        const QString& path = it->second.buffer.path();
        if (it->second.existed) {
            if (const Result<> undone = platform::writeFileAtomically(path, it->second.original);
                !undone) {
                m_error += QStringLiteral(" The earlier content of %1 could not be put back: %2")
                               .arg(QDir::toNativeSeparators(path), undone.error());
            }
        } else if (!QFile::remove(path) && QFileInfo::exists(path)) {
            m_error += QStringLiteral(" The new store file %1 could not be removed again.")
                           .arg(QDir::toNativeSeparators(path));
        }
    }
}

Result<> StoreTransaction::Commit()
{
    for (auto it = m_months.begin(); it != m_months.end(); ++it) {
        if (const Result<> saved = it->second.buffer.Save(); !saved) {
            m_error = saved.error();
            RollBack(it);
            return fail(m_error);
        }
    }
    if (!WriteCounters(m_counters, m_original)) {
        m_error = QStringLiteral("The step counters cannot be written to the settings file %1.")
                      .arg(QDir::toNativeSeparators(appState().settingsPath));
        RollBack(m_months.end());
        return fail(m_error);
    }
    m_counters.ApplyToAppState();
    m_original = m_counters;
    m_months.clear();
    return Result<>{};
}

} // namespace trek

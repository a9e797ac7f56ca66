#include "reports/lifetimereset.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/stepcounters.h"
#include "data/storelock.h"
#include "data/storepath.h"

#include <QDir>
#include <QFile>

namespace trek {

namespace {

QStringList DeleteStoreFiles(const QString& workingFolder)
{
    QStringList undeleted;
    const QDir store(StoreFolder(workingFolder));
    // Links named like a month are removed as links; folders so named are not the store's.
    const QFileInfoList found = store.entryInfoList({QStringLiteral("Stepo*.BIN")},
                                                    QDir::Files | QDir::System | QDir::Hidden);
    for (const QFileInfo& file : found) {
        if (!QFile::remove(file.filePath())) {
            undeleted.append(QDir::toNativeSeparators(file.filePath()));
        }
    }
    return undeleted;
}

bool ClearTotals()
{
    const Result<> written = WriteSettings({{keys::Summary, "TotalSteps", QStringLiteral("0")},
                                            {keys::Summary, "TotalPeriod", QStringLiteral("0")}});
    ReloadCounters();
    return written.ok();
}

} // namespace

Result<LifetimeResetOutcome> ResetLifetime()
{
    const Result<platform::WorkingFolderLock> lock = LockStore();
    if (!lock) {
        return fail(lock.error());
    }
    LifetimeResetOutcome outcome;
    outcome.undeletedFiles = DeleteStoreFiles(appState().workingFolder);
    outcome.totalsCleared = ClearTotals();
    appState().reportCache.Clear();
    return outcome;
}

QString DescribeResetFailure(const LifetimeResetOutcome& outcome)
{
    QStringList parts;
    if (!outcome.undeletedFiles.isEmpty()) {
        parts.append(QStringLiteral("Could not delete %1")
                         .arg(outcome.undeletedFiles.join(QStringLiteral(", "))));
    }
    if (!outcome.totalsCleared) {
        parts.append(
            QStringLiteral("the lifetime totals could not be written to the settings file"));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace trek

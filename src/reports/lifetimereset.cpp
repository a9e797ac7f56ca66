// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/lifetimereset.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/stepcounters.h"
#include "data/storelock.h"
#include "data/storepath.h"
#include "platform/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trek {

namespace {

// The month files and links named like one; folders so named are not the store's.
QFileInfoList StoreFiles(const QString& workingFolder)
{
    const QDir store(StoreFolder(workingFolder));
    return store.entryInfoList({QStringLiteral("Stepo*.BIN")},
                               QDir::Files | QDir::System | QDir::Hidden);
}

bool DisposeOf(const QString& path, StoreDisposal disposal)
{
    platform::Trash* trash = appState().services.trash;
    if (disposal == StoreDisposal::Trash) {
        return trash != nullptr && trash->moveToTrash(path).ok();
    }
    return QFile::remove(path);
}

bool ClearTotals()
{
    const Result<> written =
        WriteSettings({setting::TotalSteps.Entry(0), setting::TotalPeriod.Entry(0)});
    ReloadCounters();
    return written.ok();
}

} // namespace

StoreDisposal CurrentStoreDisposal()
{
    const platform::Trash* trash = appState().services.trash;
    const QString store = StoreFolder(appState().workingFolder);
    const QString folder = QFileInfo(store).isDir() ? store : appState().workingFolder;
    return trash != nullptr && trash->availableFor(folder) ? StoreDisposal::Trash
                                                           : StoreDisposal::Delete;
}

Result<LifetimeResetOutcome> ResetLifetime(StoreDisposal disposal)
{
    const Result<platform::WorkingFolderLock> lock = LockStore();
    if (!lock) {
        return fail(lock.error());
    }
    LifetimeResetOutcome outcome;
    outcome.disposal = disposal;
    for (const QFileInfo& file : StoreFiles(appState().workingFolder)) {
        if (!DisposeOf(file.filePath(), disposal)) {
            outcome.filesLeft.append(QDir::toNativeSeparators(file.filePath()));
        }
    }
    outcome.totalsCleared = ClearTotals();
    appState().reportCache.Clear();
    return outcome;
}

QString DescribeResetFailure(const LifetimeResetOutcome& outcome)
{
    QStringList parts;
    if (!outcome.filesLeft.isEmpty()) {
        const QString files = outcome.filesLeft.join(QStringLiteral(", "));
        parts.append(
            outcome.disposal == StoreDisposal::Trash
                ? QStringLiteral("Could not move %1 to the trash; left where it was").arg(files)
                : QStringLiteral("Could not delete %1").arg(files));
    }
    if (!outcome.totalsCleared) {
        parts.append(
            QStringLiteral("the lifetime totals could not be written to the settings file"));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/storelock.h"

#include "app/appstate.h"
#include "data/commitjournal.h"
#include "data/storepath.h"
#include "platform/atomicfile.h"

#include <QDir>
#include <chrono>

namespace trek {

namespace {

// Long enough for another program's commit to finish, short enough not to look hung.
constexpr std::chrono::milliseconds StorePatience{5000};

} // namespace

Result<platform::WorkingFolderLock> LockStore()
{
    Result<platform::WorkingFolderLock> lock =
        platform::WorkingFolderLock::acquire(appState().workingFolder, StorePatience);
    if (!lock) {
        return lock;
    }
    if (const Result<> recovered = RecoverPendingCommit(); !recovered) {
        return fail(recovered.error());
    }
    return lock;
}

Result<> PrepareWorkingFolder()
{
    const Result<platform::WorkingFolderLock> lock = LockStore();
    if (!lock) {
        return fail(lock.error());
    }
    // Every writer of these folders holds the lock, so no temporary file there is in use now.
    for (const QString& folder :
         {appState().workingFolder, StoreFolder(appState().workingFolder)}) {
        if (const Result<int> removed =
                platform::removeLeftoverTemporaryFiles(folder, std::chrono::seconds(0));
            !removed && QDir(folder).exists()) {
            return fail(removed.error());
        }
    }
    return Result<>{};
}

} // namespace trek

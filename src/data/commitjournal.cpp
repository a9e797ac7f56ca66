// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/commitjournal.h"

#include "app/appstate.h"
#include "data/stepcounters.h"
#include "data/storepath.h"
#include "platform/atomicfile.h"
#include "platform/drivetable.h"
#include "platform/profile.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace trek {

namespace {

// A journal holds every month of one collection; a leap year of day files needs some 1.2 MB.
constexpr qint64 MaxJournalSize = qint64{64} * 1024 * 1024;

// The store folder the months go to. A link there could lead the months anywhere, so it is
// refused like a link in place of a store file.
Result<QString> StoreFolderToWrite()
{
    const QString folder = StoreFolder(appState().workingFolder);
    const QFileInfo info(folder);
    if (info.isSymLink() || (info.exists() && !info.isDir())) {
        return fail(QStringLiteral("%1 is a link or no folder, so nothing could be stored; it was "
                                   "left as it is.")
                        .arg(QDir::toNativeSeparators(folder)));
    }
    return folder;
}

Result<QString> UsableStoreFolder()
{
    Result<QString> folder = StoreFolderToWrite();
    if (!folder) {
        return folder;
    }
    // Made here rather than by the umask: it is its user's alone, like the files it holds.
    if (const Result<> made = platform::makePrivateFolders(*folder); !made) {
        return fail(made.error());
    }
    return folder;
}

Result<> ApplyMonths(const std::vector<StoredMonth>& months)
{
    if (months.empty()) {
        return Result<>{};
    }
    const Result<QString> folder = UsableStoreFolder();
    if (!folder) {
        return fail(folder.error());
    }
    // The journal on the disk holds every month, so whatever a crash cuts short from here on is
    // finished from it at the next start: the months need no wait for the disk of their own.
    // They are written to temporary files together and reach the disk with one sync of its file
    // system, so that each stays whole, old or new, even if the journal were gone; then they are
    // renamed, and one sync of their folder puts the renames on the disk before the counters and
    // the acknowledgements (the ledger, the removals from the wristband) say they are stored.
    std::vector<platform::FileContent> files;
    files.reserve(months.size());
    for (const StoredMonth& month : months) {
        files.push_back({month.name, month.content});
    }
    return platform::replaceFilesAtomically(*folder, files);
}

Result<> ApplyCounters(const std::vector<CounterChange>& changes)
{
    if (changes.empty()) {
        return Result<>{};
    }
    const auto change = [&changes](const platform::ProfileValues& current) {
        QList<platform::ProfileEntry> entries;
        for (const CounterChange& counter : changes) {
            const int now = current.getInt(counter.section, counter.key, 0);
            if (now == counter.after) {
                continue; // applied already
            }
            entries.push_back({counter.section, counter.key,
                               QString::number(WrappingAdd(
                                   now, WrappingSubtract(counter.after, counter.before)))});
        }
        return entries;
    };
    const Result<> written =
        appState().services.profile->updateStrings(appState().settingsPath, change);
    if (!written) {
        return fail(QStringLiteral("The step counters cannot be written to the settings file "
                                   "%1: %2")
                        .arg(QDir::toNativeSeparators(appState().settingsPath), written.error()));
    }
    ReloadCounters();
    return Result<>{};
}

// Whether the day file at `path` still is what `stamp` stored. A file this commit read and that
// cannot have changed since is not read again.
bool StillStamped(const QString& path, const DayFileStamp& stamp,
                  const QHash<QString, platform::FileVersion>& asRead)
{
    if (const auto read = asRead.constFind(stamp.name); read != asRead.constEnd() &&
                                                        read->size == stamp.size &&
                                                        platform::isUnchangedSince(path, *read)) {
        return true;
    }
    const Result<QByteArray> content = platform::readRegularFile(path, stamp.size);
    return content && DayFileStamp::Of(stamp.name, *content) == stamp;
}

// Only a file that still is what was stored goes; anything else under its name stays.
CommitOutcome RemoveDayFiles(const QString& root, const std::vector<DayFileStamp>& stamps,
                             const QHash<QString, platform::FileVersion>& asRead)
{
    CommitOutcome outcome;
    if (root.isEmpty() || stamps.empty() || !QFileInfo(root).isDir()) {
        return outcome;
    }
    bool removedAny = false;
    for (const DayFileStamp& stamp : stamps) {
        const QString path = root + u'/' + stamp.name;
        if (!StillStamped(path, stamp, asRead)) {
            continue;
        }
        QFile file(path);
        if (file.remove()) {
            removedAny = true;
            continue;
        }
        if (++outcome.dayFilesLeft == 1) {
            outcome.removalError = file.errorString();
        }
    }
    // A wristband pulled right after the collection must not bring its day files back.
    if (removedAny) {
        if (const Result<> synced = platform::syncFolder(root); !synced) {
            outcome.removalError = synced.error();
        }
    }
    return outcome;
}

// The folder of the wristband whose volume a journal names, wherever it is mounted now; empty
// when that volume is not here (another disk at the old path is not it).
QString MountedRootOf(const QString& volume)
{
    const platform::DriveTable* drives = appState().services.drives;
    if (volume.isEmpty() || drives == nullptr) {
        return {};
    }
    const std::uint32_t mask = drives->logicalDriveMask();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if ((mask & platform::driveBit(letter)) != 0 && drives->volumeIdentity(letter) == volume) {
            return drives->driveRoot(letter);
        }
    }
    return {};
}

Result<CommitOutcome> Apply(const CommitPlan& plan, const QString& wristbandRoot)
{
    if (Result<> months = ApplyMonths(plan.months); !months) {
        return fail(months.error());
    }
    if (Result<> counters = ApplyCounters(plan.counters); !counters) {
        return fail(counters.error());
    }
    if (plan.ledger) {
        if (Result<> saved = plan.ledger->Save(appState().workingFolder); !saved) {
            return fail(saved.error());
        }
    }
    return RemoveDayFiles(wristbandRoot, plan.dayFilesToRemove, plan.dayFilesAsRead);
}

Result<> RemoveJournal()
{
    const QString path = JournalPath(appState().workingFolder);
    QFile journal(path);
    if (!journal.remove() && QFileInfo(path).isFile()) {
        return fail(QStringLiteral("The journal %1 cannot be removed: %2")
                        .arg(QDir::toNativeSeparators(path), journal.errorString()));
    }
    return platform::syncFolder(appState().workingFolder);
}

// The files `plan` replaces in the working folder. Whatever sits there in place of a regular
// file (a link, a FIFO, a folder) is never written through, so a commit would stop at it half
// way, and its journal could not be finished until someone removed it: such a commit is refused
// before anything changes, and its records stay where they are.
Result<> CheckReplaceable(const CommitPlan& plan)
{
    QStringList paths;
    if (!plan.months.empty()) {
        const Result<QString> folder = StoreFolderToWrite();
        if (!folder) {
            return fail(folder.error() +
                        QStringLiteral(" The records were left on the wristband."));
        }
        for (const StoredMonth& month : plan.months) {
            paths << *folder + u'/' + month.name;
        }
    }
    if (!plan.counters.empty()) {
        paths << appState().settingsPath;
    }
    if (plan.ledger) {
        paths << ImportLedger::PathIn(appState().workingFolder);
    }
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if ((info.exists() || info.isSymLink()) && !platform::isRegularFile(path)) {
            return fail(QStringLiteral("%1 is a link or no regular file, so nothing could be "
                                       "stored; it was left as it is, and the records were left "
                                       "on the wristband.")
                            .arg(QDir::toNativeSeparators(path)));
        }
    }
    return Result<>{};
}

QString Unfinished(const QString& reason)
{
    return QStringLiteral("%1 The collected steps are kept in the journal and will be stored when "
                          "the program can write to its working folder again.")
        .arg(reason);
}

} // namespace

QString JournalPath(const QString& workingFolder)
{
    return workingFolder + QStringLiteral("/Trekkomat2.journal");
}

Result<CommitOutcome> CommitThroughJournal(const CommitPlan& plan)
{
    const QString path = JournalPath(appState().workingFolder);
    // A journal still here is an earlier commit of this run that could not be finished. This
    // plan was made from the store as that commit left it, perhaps half applied: replacing that
    // journal would lose the rest of it, applying this plan after it could undo some of it. So
    // this commit waits, its records staying on the wristband, until that one is finished.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        return fail(QStringLiteral("The records were left on the wristband, because an earlier "
                                   "commit is still unfinished (see the message before)."));
    }
    if (Result<> replaceable = CheckReplaceable(plan); !replaceable) {
        return fail(replaceable.error());
    }
    if (Result<> written = platform::writeFileAtomically(path, EncodeCommitPlan(plan)); !written) {
        // Nothing has changed yet, so nothing may be left that a later start would apply.
        QFile::remove(path);
        return fail(written.error());
    }
    Result<CommitOutcome> outcome = Apply(plan, plan.wristbandRoot);
    if (!outcome) {
        return fail(Unfinished(outcome.error()));
    }
    if (Result<> removed = RemoveJournal(); !removed) {
        // Applying the plan again changes nothing, so a journal left here is harmless.
        outcome->removalError = removed.error();
    }
    return outcome;
}

Result<> RecoverPendingCommit()
{
    const QString path = JournalPath(appState().workingFolder);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink()) {
        return Result<>{};
    }
    const Result<QByteArray> bytes = platform::readRegularFile(path, MaxJournalSize);
    if (!bytes) {
        return fail(Unfinished(bytes.error()));
    }
    // A journal cut short while it was written was never applied, so dropping it loses nothing.
    if (IsWholeJournal(*bytes)) {
        const Result<CommitPlan> plan = DecodeCommitPlan(*bytes);
        if (!plan) {
            return fail(QStringLiteral("%1 The journal %2 was kept; move it away to collect into "
                                       "this folder again.")
                            .arg(plan.error(), QDir::toNativeSeparators(path)));
        }
        // Day files go only from the very volume they were read from; if it is not here, the
        // ledger removes them, uncounted, when it is collected next.
        const QString root = MountedRootOf(plan->wristbandVolume);
        if (const Result<CommitOutcome> applied = Apply(*plan, root); !applied) {
            return fail(Unfinished(applied.error()));
        }
    }
    return RemoveJournal();
}

} // namespace trek

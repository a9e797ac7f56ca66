// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/dayfiles.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/importledger.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storelock.h"
#include "data/storetransaction.h"
#include "device/rootfiles.h"
#include "platform/drivetable.h"
#include "platform/regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <optional>
#include <vector>

namespace trek {

namespace {

// A day holds at most 1440 short lines; anything far larger is not a day file.
constexpr qint64 MaxTextDayFileSize = qint64{1024} * 1024;
// Only the first 3072 bytes of a KDX day file hold the day; whatever follows is never looked at,
// but a file this large is not a day file at all.
constexpr qint64 MaxKdxDayFileSize = qint64{16} * 1024 * 1024;

enum class DayFileKind { Text, Kdx };

struct DayFile
{
    QFileInfo info;
    DayFileDate date;
};

QString NumberedRawCopyPath(const QString& workingFolder, const QString& name, int number)
{
    return workingFolder + QStringLiteral("/Trekkomat2/") + name +
           QString::asprintf("-%03d", number);
}

void ReportFailedFile(CollectionReport& report, const QString& reason)
{
    ++report.filesFailed;
    report.tell(GetLangText(TextRow::DataCollectionError), reason);
}

// The file's content and version, or nothing (reported) when it cannot be a day file of this kind.
std::optional<platform::VersionedContent> ReadDayFile(DayFileKind kind, const QFileInfo& dayFile,
                                                      CollectionReport& report)
{
    const qint64 limit = kind == DayFileKind::Text ? MaxTextDayFileSize : MaxKdxDayFileSize;
    Result<platform::VersionedContent> content =
        platform::readRegularFileVersion(dayFile.filePath(), limit);
    if (!content) {
        ReportFailedFile(report, QStringLiteral("The day file %1 cannot be read: %2")
                                     .arg(dayFile.fileName(), content.error()));
        return std::nullopt;
    }
    if (kind == DayFileKind::Kdx && content->bytes.size() < KdxDayFileLength) {
        ReportFailedFile(report, QStringLiteral("The day file %1 holds %2 bytes, fewer than the "
                                                "%3 of a whole day.")
                                     .arg(dayFile.fileName())
                                     .arg(content->bytes.size())
                                     .arg(KdxDayFileLength));
        return std::nullopt;
    }
    return std::move(content).value();
}

void MergeDayFile(DayFileKind kind, const QByteArray& content, const DayFileDate& date,
                  StoreTransaction& store)
{
    // The month is open already, so the merge cannot fail.
    if (kind == DayFileKind::Text) {
        MergeTextDayFile(content, date, store);
    } else {
        MergeKdxDayFile(content, date, store);
    }
}

void ReportLeftOnWristband(const CommitOutcome& outcome, CollectionReport& report)
{
    if (outcome.dayFilesLeft > 0) {
        report.tell(GetLangText(TextRow::DataCollectionError),
                    QStringLiteral("%1 day file(s) were stored but could not be removed from the "
                                   "wristband (%2); they will be removed at the next collection "
                                   "and not counted again.")
                        .arg(outcome.dayFilesLeft)
                        .arg(outcome.removalError));
    }
}

// One collection of the day files of one wristband: what the ledger says was stored before is
// removed uncounted, the rest is stored month by month and removed once on disk.
class DayFileCollection final
{
public:
    DayFileCollection(QString root, QString volume, ImportLedger ledger, CollectionReport& report)
        : m_root(std::move(root)), m_volume(std::move(volume)), m_ledger(std::move(ledger)),
          m_report(report)
    {}

    // All day files of one kind are stored together: one durable commit for the lot, and only
    // then are they removed from the wristband. A month whose store file cannot be used keeps
    // its files on the wristband; a failed commit keeps all of them there.
    int Take(DayFileKind kind, const std::map<int, std::vector<DayFile>>& months);
    // Saves a ledger that only forgot files no longer on the wristband.
    void SaveLedgerIfChanged(const ImportLedger& loaded);

private:
    bool KeepRawCopy(const QString& name, const QByteArray& content);

    QString m_root;
    QString m_volume;
    ImportLedger m_ledger;
    CollectionReport& m_report;
    bool m_ledgerSaved = false;
    bool m_copyFolderMade = false;
};

// The raw copies are never read again, so they are written without waiting for the disk, and
// with no more changes to the file system than a new file takes: their folder is made once.
bool DayFileCollection::KeepRawCopy(const QString& name, const QByteArray& content)
{
    const QString workingFolder = appState().workingFolder;
    const QString copyFolder = workingFolder + QStringLiteral("/Trekkomat2");
    if (!m_copyFolderMade) {
        if (const Result<> made = platform::makePrivateFolders(copyFolder); !made) {
            ReportFailedFile(
                m_report,
                QStringLiteral("The day file %1 cannot be copied: %2").arg(name, made.error()));
            return false;
        }
        m_copyFolderMade = true;
    }
    // The first number is nearly always free, so it is taken straight away; only when something
    // is there already is the first free one looked for.
    QString copyPath = NumberedRawCopyPath(workingFolder, name, 1);
    Result<> copied = platform::createRegularFile(copyPath, content, false);
    if (!copied && platform::isNameTaken(copyPath)) {
        copyPath = RawCopyPath(workingFolder, name);
        // Only the 99th copy can be there already: it is the one reused.
        if (copyPath.endsWith(QStringLiteral("-099")) && QFileInfo(copyPath).isFile()) {
            QFile::remove(copyPath);
        }
        copied = platform::createRegularFile(copyPath, content, false);
    }
    // The reason tells a full disk from a refused folder.
    if (!copied) {
        ReportFailedFile(m_report,
                         QStringLiteral("The day file %1 cannot be copied to %2: %3")
                             .arg(name, QDir::toNativeSeparators(copyFolder), copied.error()));
        return false;
    }
    return true;
}

int DayFileCollection::Take(DayFileKind kind, const std::map<int, std::vector<DayFile>>& months)
{
    StoreTransaction store;
    CommitPlan acknowledgement;
    acknowledgement.wristbandRoot = m_root;
    acknowledgement.wristbandVolume = m_volume;
    ImportLedger ledger = m_ledger;
    int merged = 0;
    // A disk that refuses changes cannot have its day files removed, so they would stay there
    // for ever: such a disk is not imported from at all.
    const bool removable = QFileInfo(m_root).isWritable();
    for (const auto& [key, dayFiles] : months) {
        if (store.Month(key / 100, key % 100) == nullptr) {
            m_report.filesFailed += static_cast<int>(dayFiles.size()) - 1;
            ReportFailedFile(m_report, store.error());
            continue;
        }
        for (const DayFile& dayFile : dayFiles) {
            user().pumpMessages();
            const QString name = dayFile.info.fileName();
            const std::optional<platform::VersionedContent> read =
                ReadDayFile(kind, dayFile.info, m_report);
            if (!read) {
                continue;
            }
            const QByteArray& content = read->bytes;
            const DayFileStamp stamp = DayFileStamp::Of(name, content);
            acknowledgement.dayFilesAsRead.insert(name, read->version);
            if (m_ledger.HoldsDayFile(stamp)) {
                acknowledgement.dayFilesToRemove.push_back(stamp); // stored before
                continue;
            }
            if (!removable) {
                ReportFailedFile(m_report,
                                 QStringLiteral("The wristband's disk is read-only, so %1 could "
                                                "not be removed after its import; it was left "
                                                "unimported.")
                                     .arg(name));
                continue;
            }
            if (!KeepRawCopy(name, content)) {
                continue;
            }
            MergeDayFile(kind, content, dayFile.date, store);
            ledger.AddDayFile(stamp);
            acknowledgement.dayFilesToRemove.push_back(stamp);
            ++merged;
        }
    }
    if (acknowledgement.dayFilesToRemove.empty()) {
        return 0;
    }
    user().pumpMessages();
    acknowledgement.ledger = ledger;
    const Result<CommitOutcome> outcome = merged > 0 ? store.Commit(std::move(acknowledgement))
                                                     : CommitThroughJournal(acknowledgement);
    if (!outcome) {
        m_report.filesFailed += std::max(merged, 1) - 1;
        ReportFailedFile(m_report, outcome.error());
        return 0;
    }
    m_ledger = ledger;
    m_ledgerSaved = true;
    ReportLeftOnWristband(*outcome, m_report);
    m_report.filesImported += merged;
    m_report.daysStored += outcome->daysChanged;
    return merged;
}

void DayFileCollection::SaveLedgerIfChanged(const ImportLedger& loaded)
{
    if (m_ledgerSaved || m_ledger == loaded) {
        return;
    }
    if (const Result<> saved = m_ledger.Save(appState().workingFolder); !saved) {
        // The stale entries name files that are gone; keeping them costs nothing.
        m_report.lastError = saved.error();
    }
}

void ReportDiskGone(char letter, CollectionReport& report)
{
    report.readFailed = true;
    report.tell(GetLangText(TextRow::DataCollectionError),
                QStringLiteral("The disk %1: is no longer there.").arg(QChar::fromLatin1(letter)));
}

} // namespace

QString RawCopyPath(const QString& workingFolder, const QString& name)
{
    for (int number = 1; number < 99; ++number) {
        QString candidate = NumberedRawCopyPath(workingFolder, name, number);
        if (!platform::isNameTaken(candidate)) { // a dangling link takes its number too
            return candidate;
        }
    }
    return NumberedRawCopyPath(workingFolder, name, 99);
}

int CopyDayFiles(char letter, CollectionReport& report)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        ReportDiskGone(letter, report);
        return 0;
    }
    const Result<platform::WorkingFolderLock> lock = LockStore();
    Result<ImportLedger> loaded = lock ? ImportLedger::Load(appState().workingFolder)
                                       : Result<ImportLedger>(fail(lock.error()));
    if (!loaded) {
        report.readFailed = true;
        report.tell(GetLangText(TextRow::DataCollectionError), loaded.error());
        return 0;
    }
    struct Pass
    {
        QString pattern;
        DayFileKind kind;
    };
    const Pass passes[] = {{QStringLiteral("*.txt"), DayFileKind::Text},
                           {QStringLiteral("*.KDX"), DayFileKind::Kdx}};
    std::map<int, std::vector<DayFile>> found[2]; // by pass, then by year * 100 + month
    QStringList names;
    for (std::size_t pass = 0; pass < 2; ++pass) {
        // The wristband's FAT disk matches names without regard to case; so does QDir by default.
        // System entries are listed too, so that a FIFO or a device under a day file's name is
        // reported rather than passed over in silence.
        const QFileInfoList entries = QDir(root).entryInfoList(
            {passes[pass].pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
        for (const QFileInfo& entry : entries) {
            if (const auto date = ParseDayFileName(entry.fileName())) {
                found[pass][date->year * 100 + date->month].push_back({entry, *date});
                names << entry.fileName();
            }
        }
    }
    // A disk pulled out before the drive table noticed lists as empty; the files the ledger
    // knows are not gone then, and would be counted again if it forgot them.
    if (!QFileInfo(root).isDir()) {
        ReportDiskGone(letter, report);
        return 0;
    }
    ImportLedger ledger = *loaded;
    ledger.KeepOnlyDayFiles(names);
    const platform::DriveTable* drives = appState().services.drives;
    DayFileCollection collection(root, drives ? drives->volumeIdentity(letter) : QString(), ledger,
                                 report);
    int imported = 0;
    for (std::size_t pass = 0; pass < 2; ++pass) {
        if (!found[pass].empty()) {
            imported += collection.Take(passes[pass].kind, found[pass]);
        }
    }
    collection.SaveLedgerIfChanged(*loaded);
    return imported;
}

} // namespace trek

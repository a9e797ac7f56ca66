#include "data/dayfiles.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storetransaction.h"
#include "device/rootfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <limits>
#include <map>
#include <vector>

namespace trek {

namespace {

constexpr int DataCollectionErrorRow = 79;

// A day holds at most 1440 short lines; anything far larger is not a day file.
constexpr qint64 MaxTextDayFileSize = qint64{1024} * 1024;
// What is copied off the wristband at most, whatever the kind.
constexpr qint64 MaxDayFileSize = qint64{16} * 1024 * 1024;

enum class DayFileKind { Text, Kdx };

void SetReason(QString* reason, const QString& text)
{
    if (reason != nullptr) {
        *reason = text;
    }
}

void ReportFailedFile(CollectionReport& report, const QString& reason)
{
    ++report.filesFailed;
    report.tell(GetLangText(DataCollectionErrorRow), reason);
}

// Reads at most `readLimit` bytes; a file larger than `sizeLimit` is refused.
bool ReadRawCopy(const QString& copyPath, qint64 readLimit, qint64 sizeLimit, QByteArray& content,
                 QString* reason)
{
    QFile file(copyPath);
    if (!file.open(QIODevice::ReadOnly)) {
        SetReason(reason, QStringLiteral("The copy %1 cannot be read: %2.")
                              .arg(QDir::toNativeSeparators(copyPath), file.errorString()));
        return false;
    }
    if (file.size() > sizeLimit) {
        SetReason(reason, QStringLiteral("The file %1 is too large to be a day file.")
                              .arg(QDir::toNativeSeparators(copyPath)));
        return false;
    }
    content = file.read(readLimit);
    if (file.error() != QFileDevice::NoError) {
        SetReason(reason, QStringLiteral("The copy %1 cannot be read: %2.")
                              .arg(QDir::toNativeSeparators(copyPath), file.errorString()));
        return false;
    }
    return true;
}

bool ReadDayFile(DayFileKind kind, const QString& copyPath, const QString& name,
                 QByteArray& content, QString* reason)
{
    if (kind == DayFileKind::Text) {
        return ReadRawCopy(copyPath, MaxTextDayFileSize, MaxTextDayFileSize, content, reason);
    }
    // Only the first 3072 bytes hold the day; whatever follows is never looked at.
    if (!ReadRawCopy(copyPath, KdxDayFileLength, std::numeric_limits<qint64>::max(), content,
                     reason)) {
        return false;
    }
    if (content.size() < KdxDayFileLength) {
        SetReason(reason, QStringLiteral("The day file %1 holds %2 bytes, fewer than the %3 of a "
                                         "whole day.")
                              .arg(name)
                              .arg(content.size())
                              .arg(KdxDayFileLength));
        return false;
    }
    return true;
}

bool MergeDayFile(DayFileKind kind, const QByteArray& content, const DayFileDate& date,
                  StoreTransaction& store)
{
    return kind == DayFileKind::Text ? MergeTextDayFile(content, date, store)
                                     : MergeKdxDayFile(content, date, store);
}

// Copies a day file to the raw copies and reads it; false (reported) when either fails or the
// file could not be removed from the wristband after its import. The copies are never read
// again, so they are written without waiting for the disk.
bool CopyAndReadDayFile(DayFileKind kind, const QFileInfo& dayFile, QByteArray& content,
                        CollectionReport& report)
{
    const QString workingFolder = appState().workingFolder;
    const QString copyFolder = workingFolder + QStringLiteral("/Trekkomat2");
    const QString copyPath = RawCopyPath(workingFolder, dayFile.fileName());
    QString reason;
    QByteArray bytes;
    if (!ReadRawCopy(dayFile.filePath(), MaxDayFileSize, MaxDayFileSize, bytes, &reason)) {
        ReportFailedFile(report, reason);
        return false;
    }
    QFile copy(copyPath);
    if (!QDir().mkpath(copyFolder) || !copy.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        copy.write(bytes) != bytes.size() || !copy.flush()) {
        ReportFailedFile(report,
                         QStringLiteral("The day file %1 cannot be copied to %2.")
                             .arg(dayFile.fileName(), QDir::toNativeSeparators(copyFolder)));
        return false;
    }
    copy.close();
    // A day file that cannot be deleted afterwards would be taken again at the next run and its
    // steps counted twice, so a disk that refuses changes is not imported from at all.
    if (!QFileInfo(dayFile.absolutePath()).isWritable()) {
        ReportFailedFile(report,
                         QStringLiteral("The wristband's disk is read-only, so %1 could not be "
                                        "removed after its import; it was left unimported.")
                             .arg(dayFile.fileName()));
        return false;
    }
    if (!ReadDayFile(kind, copyPath, dayFile.fileName(), content, &reason)) {
        ReportFailedFile(report, reason);
        return false;
    }
    return true;
}

// All day files of one kind are stored together: one durable save per month and one of the
// counters, and only then are they removed from the wristband. A month whose store file cannot
// be used keeps its files on the wristband; a failed save keeps all of them there.
int TakeDayFiles(DayFileKind kind, const std::map<int, std::vector<QFileInfo>>& months,
                 CollectionReport& report)
{
    StoreTransaction store;
    std::vector<QFileInfo> merged;
    for (const auto& [key, dayFiles] : months) {
        if (store.Month(key / 100, key % 100) == nullptr) {
            report.filesFailed += static_cast<int>(dayFiles.size()) - 1;
            ReportFailedFile(report, store.error());
            continue;
        }
        for (const QFileInfo& dayFile : dayFiles) {
            user().pumpMessages();
            QByteArray content;
            if (!CopyAndReadDayFile(kind, dayFile, content, report)) {
                continue;
            }
            // The month is open already, so the merge cannot fail.
            MergeDayFile(kind, content, *ParseDayFileName(dayFile.fileName()), store);
            merged.push_back(dayFile);
        }
    }
    if (merged.empty()) {
        return 0;
    }
    user().pumpMessages();
    if (const Result<> committed = store.Commit(); !committed) {
        report.filesFailed += static_cast<int>(merged.size()) - 1;
        ReportFailedFile(report, committed.error());
        return 0;
    }
    for (const QFileInfo& dayFile : merged) {
        if (!QFile::remove(dayFile.filePath())) {
            report.tell(
                GetLangText(DataCollectionErrorRow),
                QStringLiteral("The day file %1 was imported but could not be removed from the "
                               "wristband; do not collect it again.")
                    .arg(dayFile.fileName()));
        }
    }
    report.filesImported += static_cast<int>(merged.size());
    return static_cast<int>(merged.size());
}

} // namespace

QString RawCopyPath(const QString& workingFolder, const QString& name)
{
    const QString stem = workingFolder + QStringLiteral("/Trekkomat2/") + name;
    for (int number = 1; number < 99; ++number) {
        QString candidate = stem + QString::asprintf("-%03d", number);
        if (!QFileInfo::exists(candidate)) {
            return candidate;
        }
    }
    return stem + QStringLiteral("-099");
}

int CopyDayFiles(char letter, CollectionReport& report)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        report.readFailed = true;
        report.tell(
            GetLangText(DataCollectionErrorRow),
            QStringLiteral("The disk %1: is no longer there.").arg(QChar::fromLatin1(letter)));
        return 0;
    }
    struct Pass
    {
        QString pattern;
        DayFileKind kind;
    };
    const Pass passes[] = {{QStringLiteral("*.txt"), DayFileKind::Text},
                           {QStringLiteral("*.KDX"), DayFileKind::Kdx}};
    int imported = 0;
    for (const Pass& pass : passes) {
        // The wristband's FAT disk matches names without regard to case; so does QDir by default.
        const QFileInfoList entries = QDir(root).entryInfoList(
            {pass.pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
        std::map<int, std::vector<QFileInfo>> months; // by year * 100 + month
        for (const QFileInfo& entry : entries) {
            if (const auto date = ParseDayFileName(entry.fileName())) {
                months[date->year * 100 + date->month].push_back(entry);
            }
        }
        if (!months.empty()) {
            imported += TakeDayFiles(pass.kind, months, report);
        }
    }
    return imported;
}

} // namespace trek

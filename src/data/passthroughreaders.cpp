// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/passthroughreaders.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/importledger.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storelock.h"
#include "data/storetransaction.h"
#include "device/identity.h"
#include "device/passthrough.h"
#include "device/vendorcommands.h"
#include "platform/wristbandmodels.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <optional>

namespace trek {

namespace {

using Block = std::array<std::uint8_t, RecordBlockBytes>;

enum class RegionEnd { Continue, EndOfData, Failed };

void ReportReadFailure(CollectionReport& report, int code)
{
    report.readFailed = true;
    report.tell(
        GetLangText(TextRow::DataCollectionError),
        QStringLiteral("The wristband stopped answering (error %1); its records were left on it "
                       "and will be offered again.")
            .arg(code));
}

void ReportStoreFailure(CollectionReport& report, const QString& reason)
{
    report.readFailed = true;
    report.tell(GetLangText(TextRow::DataCollectionError), reason);
}

// Another program collecting the same wristband is given time to finish its reading and commit.
constexpr std::chrono::seconds WristbandPatience{30};

enum class Start { Read, NothingNew, Failed };

// One reading under the working-folder lock, with the wristband held for this program alone from
// before its first record is read until its end of collection is confirmed. Records the ledger
// holds were stored by an earlier reading whose end of collection was never confirmed: they are
// acknowledged, not counted again.
class Reading final
{
public:
    // Failed (reported) when the working folder, its ledger or the wristband cannot be had;
    // NothingNew when another program took the records since the wristband was found.
    Start Begin(platform::DeviceHandle handle, CollectionReport& report)
    {
        m_lock.emplace(LockStore());
        if (!*m_lock) {
            ReportStoreFailure(report, m_lock->error());
            return Start::Failed;
        }
        m_claim.emplace(handle, WristbandPatience);
        if (const int code = m_claim->error(); code != 0) {
            ReportStoreFailure(
                report,
                code == EWOULDBLOCK
                    ? QStringLiteral("Another program kept the wristband busy; its records were "
                                     "left on it and will be offered again.")
                    : QStringLiteral("The wristband could not be taken over (error %1); its "
                                     "records were left on it.")
                          .arg(code));
            return Start::Failed;
        }
        // What discovery saw may be out of date: the records may have gone to another program
        // while this one waited.
        std::array<std::uint8_t, IdentityBufferLength> answer{};
        if (const int code = InquireIdentity(handle, answer.data()); code != 0) {
            ReportReadFailure(report, code);
            return Start::Failed;
        }
        const std::optional<WristbandIdentity> identity = ParseIdentity(answer);
        if (identity && !identity->hasNewData) {
            return Start::NothingNew;
        }
        const Result<ImportLedger> ledger = ImportLedger::Load(appState().workingFolder);
        if (!ledger) {
            ReportStoreFailure(report, ledger.error());
            return Start::Failed;
        }
        m_stored = *ledger;
        m_ledger = *ledger;
        return Start::Read;
    }

    // Whether the records of `bytes` are new; new ones are remembered for the commit.
    bool IsNew(const std::uint8_t* bytes, int length)
    {
        const QByteArray hash =
            RecordsHash(QByteArray(reinterpret_cast<const char*>(bytes), length));
        if (m_stored.HoldsRecords(hash)) {
            return false;
        }
        m_ledger.AddRecords(hash);
        m_fresh = true;
        return true;
    }

    StoreTransaction& store() { return m_store; }

    // Stores the reading, then ends the collection on the device.
    bool CommitAndEnd(platform::DeviceHandle handle, CollectionReport& report);

private:
    std::optional<Result<platform::WorkingFolderLock>> m_lock;
    std::optional<WristbandClaim> m_claim; // let go before the lock
    ImportLedger m_stored;
    ImportLedger m_ledger;
    StoreTransaction m_store;
    bool m_fresh = false;
};

bool Reading::CommitAndEnd(platform::DeviceHandle handle, CollectionReport& report)
{
    user().pumpMessages();
    if (m_fresh) {
        CommitPlan acknowledgement;
        acknowledgement.ledger = m_ledger;
        const Result<CommitOutcome> committed = m_store.Commit(std::move(acknowledgement));
        if (!committed) {
            ReportStoreFailure(report, committed.error());
            return false;
        }
        report.daysStored += committed->daysChanged;
    }
    if (const int code = EndCollection(handle); code != 0) {
        report.tell(
            GetLangText(TextRow::DataCollectionError),
            QStringLiteral("The records were stored, but the wristband did not confirm the end "
                           "of the collection (error %1); they will not be counted again.")
                .arg(code));
        return true;
    }
    // The wristband has dropped its records: none of those remembered can come back.
    if (m_ledger.HoldsAnyRecords()) {
        m_ledger.ForgetRecords();
        // A ledger that keeps them is harmless: records that never come back are never matched.
        (void)m_ledger.Save(appState().workingFolder);
    }
    return true;
}

// Reads the K7 blocks of `region`; `found` tells whether any record was valid.
RegionEnd ReadK7Region(platform::DeviceHandle handle, K7Layout::Region region, Reading& reading,
                       bool& found, CollectionReport& report)
{
    Block block{};
    for (int number = region.first; number <= region.last; number += 2) {
        user().pumpMessages();
        if (const int code = ReadMemoryBlock(handle, number, block.data()); code != 0) {
            ReportReadFailure(report, code);
            return RegionEnd::Failed;
        }
        for (int r = 0; r < K7Layout::RecordsPerBlock; ++r) {
            user().pumpMessages();
            const std::uint8_t* bytes = block.data() + std::ptrdiff_t{r} * K7Layout::RecordBytes;
            const auto record = ParseK7Record(bytes);
            if (!record) {
                return RegionEnd::EndOfData;
            }
            found = true;
            if (reading.IsNew(bytes, K7Layout::RecordBytes) &&
                !MergeK7Record(*record, reading.store())) {
                ReportStoreFailure(report, reading.store().error());
                return RegionEnd::Failed;
            }
        }
    }
    return RegionEnd::Continue;
}

} // namespace

bool ReadK7Memory(platform::DeviceHandle handle, CollectionReport& report)
{
    Reading reading;
    if (const Start start = reading.Begin(handle, report); start != Start::Read) {
        return start == Start::NothingNew;
    }
    bool found = false;
    if (ReadK7Region(handle, K7Layout::FirstRegion, reading, found, report) == RegionEnd::Failed) {
        return false;
    }
    // The second region holds records only on wristbands whose first region was never used.
    if (!found &&
        ReadK7Region(handle, K7Layout::SecondRegion, reading, found, report) == RegionEnd::Failed) {
        return false;
    }
    return reading.CommitAndEnd(handle, report);
}

bool ReadK9EBlocks(platform::DeviceHandle handle, CollectionReport& report)
{
    Reading reading;
    if (const Start start = reading.Begin(handle, report); start != Start::Read) {
        return start == Start::NothingNew;
    }
    Block block{};
    for (int count = 1;; ++count) {
        if (count > MaxK9EBlocks) {
            // Without an end the stream cannot be trusted to be whole: nothing is stored and the
            // wristband keeps its records.
            report.streamWithoutEnd = true;
            report.tell(QStringLiteral("K9E Data Capture Error"));
            return false;
        }
        user().pumpMessages();
        if (const int code = ReadNextRecordBlock(handle, block.data()); code != 0) {
            ReportReadFailure(report, code);
            return false;
        }
        const auto parsed = ParseK9EBlock(block.data());
        if (!parsed) {
            break;
        }
        if (reading.IsNew(block.data(), RecordBlockBytes) &&
            !MergeK9EBlock(*parsed, reading.store())) {
            ReportStoreFailure(report, reading.store().error());
            return false;
        }
        if (parsed->last) {
            break;
        }
    }
    return reading.CommitAndEnd(handle, report);
}

namespace {

struct ModelReader
{
    WristbandModel model;
    bool (*read)(platform::DeviceHandle, CollectionReport&);
};

constexpr std::array<ModelReader, 2> ModelReaders{{
    {WristbandModel::K7, ReadK7Memory},
    {WristbandModel::K9E, ReadK9EBlocks},
}};
static_assert(coversEveryModel(ModelReaders), "every wristband model needs its reader");

} // namespace

bool ReadPassThroughRecords(WristbandModel model, platform::DeviceHandle handle,
                            CollectionReport& report)
{
    for (const ModelReader& reader : ModelReaders) {
        if (reader.model == model) {
            return reader.read(handle, report);
        }
    }
    return false;
}

} // namespace trek

#include "data/passthroughreaders.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storetransaction.h"
#include "device/vendorcommands.h"

#include <array>
#include <cstddef>

namespace trek {

namespace {

using Block = std::array<std::uint8_t, RecordBlockBytes>;

enum class RegionEnd { Continue, EndOfData, Failed };

void ReportReadFailure(CollectionReport& report, int code)
{
    report.readFailed = true;
    report.tell(
        GetLangText(79),
        QStringLiteral("The wristband stopped answering (error %1); its records were left on it "
                       "and will be offered again.")
            .arg(code));
}

void ReportStoreFailure(CollectionReport& report, const QString& reason)
{
    report.readFailed = true;
    report.tell(GetLangText(79), reason);
}

// Stores the reading, then ends the collection on the device.
bool CommitAndEnd(platform::DeviceHandle handle, StoreTransaction& store, CollectionReport& report)
{
    user().pumpMessages();
    if (const Result<> committed = store.Commit(); !committed) {
        ReportStoreFailure(report, committed.error());
        return false;
    }
    if (const int code = EndCollection(handle); code != 0) {
        // The steps are stored; the wristband may offer them once more, which cannot be told
        // apart from new records, so the user has to know.
        report.tell(
            GetLangText(79),
            QStringLiteral("The records were stored, but the wristband did not confirm the end "
                           "of the collection (error %1); do not collect it again before new "
                           "steps were recorded.")
                .arg(code));
    }
    return true;
}

// Reads the K7 blocks `first`, `first` + 2, ... up to `last`; `found` tells whether any record
// was valid.
RegionEnd ReadK7Region(platform::DeviceHandle handle, int first, int last, StoreTransaction& store,
                       bool& found, CollectionReport& report)
{
    Block block{};
    for (int number = first; number <= last; number += 2) {
        user().pumpMessages();
        if (const int code = ReadMemoryBlock(handle, number, block.data()); code != 0) {
            ReportReadFailure(report, code);
            return RegionEnd::Failed;
        }
        for (int r = 0; r < K7RecordsPerBlock; ++r) {
            user().pumpMessages();
            const auto record = ParseK7Record(block.data() + std::ptrdiff_t{r} * K7RecordBytes);
            if (!record) {
                return RegionEnd::EndOfData;
            }
            found = true;
            if (!MergeK7Record(*record, store)) {
                ReportStoreFailure(report, store.error());
                return RegionEnd::Failed;
            }
        }
    }
    return RegionEnd::Continue;
}

} // namespace

bool ReadK7Memory(platform::DeviceHandle handle, CollectionReport& report)
{
    StoreTransaction store;
    bool found = false;
    if (ReadK7Region(handle, 8, 14, store, found, report) == RegionEnd::Failed) {
        return false;
    }
    // The second region holds records only on wristbands whose first region was never used.
    if (!found && ReadK7Region(handle, 96, 124, store, found, report) == RegionEnd::Failed) {
        return false;
    }
    return CommitAndEnd(handle, store, report);
}

bool ReadK9EBlocks(platform::DeviceHandle handle, CollectionReport& report)
{
    StoreTransaction store;
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
        if (!MergeK9EBlock(*parsed, store)) {
            ReportStoreFailure(report, store.error());
            return false;
        }
        if (parsed->last) {
            break;
        }
    }
    return CommitAndEnd(handle, store, report);
}

} // namespace trek

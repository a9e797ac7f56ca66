#include "data/passthroughreaders.h"

#include "app/lang/langtable.h"
#include "data/collectionreport.h"
#include "data/recordformats.h"
#include "data/recordmerge.h"
#include "data/storetransaction.h"
#include "device/linkfeedback.h"
#include "device/passthrough.h"

#include <array>
#include <cstddef>

namespace trek {

namespace {

using Block = std::array<std::uint8_t, RecordBlockBytes>;

enum class RegionEnd { Continue, EndOfData, Failed };

void ReportReadFailure(int code)
{
    CurrentCollectionReport().readFailed = true;
    ShowCollectionMessage(
        GetLangText(79),
        QStringLiteral("The wristband stopped answering (error %1); its records were left on it "
                       "and will be offered again.")
            .arg(code));
}

void ReportStoreFailure(const QString& reason)
{
    CurrentCollectionReport().readFailed = true;
    ShowCollectionMessage(GetLangText(79), reason);
}

// Stores the reading, then ends the collection on the device.
bool CommitAndEnd(platform::DeviceHandle handle, StoreTransaction& store)
{
    PumpMessages();
    if (const Result<> committed = store.Commit(); !committed) {
        ReportStoreFailure(committed.error());
        return false;
    }
    if (const int code = EndCollection(handle); code != 0) {
        // The steps are stored; the wristband may offer them once more, which cannot be told
        // apart from new records, so the user has to know.
        ShowCollectionMessage(
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
                       bool& found)
{
    Block block{};
    for (int number = first; number <= last; number += 2) {
        PumpMessages();
        if (const int code = ReadMemoryBlock(handle, number, block.data()); code != 0) {
            ReportReadFailure(code);
            return RegionEnd::Failed;
        }
        for (int r = 0; r < K7RecordsPerBlock; ++r) {
            PumpMessages();
            const auto record = ParseK7Record(block.data() + std::ptrdiff_t{r} * K7RecordBytes);
            if (!record) {
                return RegionEnd::EndOfData;
            }
            found = true;
            if (!MergeK7Record(*record, store)) {
                ReportStoreFailure(store.error());
                return RegionEnd::Failed;
            }
        }
    }
    return RegionEnd::Continue;
}

} // namespace

bool ReadK7Memory(platform::DeviceHandle handle)
{
    StoreTransaction store;
    bool found = false;
    if (ReadK7Region(handle, 8, 14, store, found) == RegionEnd::Failed) {
        return false;
    }
    // The second region holds records only on wristbands whose first region was never used.
    if (!found && ReadK7Region(handle, 96, 124, store, found) == RegionEnd::Failed) {
        return false;
    }
    return CommitAndEnd(handle, store);
}

bool ReadK9EBlocks(platform::DeviceHandle handle)
{
    StoreTransaction store;
    Block block{};
    for (int count = 1;; ++count) {
        if (count > MaxK9EBlocks) {
            // Without an end the stream cannot be trusted to be whole: nothing is stored and the
            // wristband keeps its records.
            CurrentCollectionReport().streamWithoutEnd = true;
            ShowCollectionMessage(QStringLiteral("K9E Data Capture Error"));
            return false;
        }
        PumpMessages();
        if (const int code = ReadNextRecordBlock(handle, block.data()); code != 0) {
            ReportReadFailure(code);
            return false;
        }
        const auto parsed = ParseK9EBlock(block.data());
        if (!parsed) {
            break;
        }
        if (!MergeK9EBlock(*parsed, store)) {
            ReportStoreFailure(store.error());
            return false;
        }
        if (parsed->last) {
            break;
        }
    }
    return CommitAndEnd(handle, store);
}

} // namespace trek

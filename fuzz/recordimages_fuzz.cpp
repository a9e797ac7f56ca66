// SPDX-License-Identifier: GPL-3.0-or-later
// Plugs an emulated pass-through wristband holding arbitrary records into the real readers, which
// store what they read in a working folder of their own, and checks the outcome against the
// store: the steps the settings file's counter gained are the steps the month files gained, and a
// reading given up leaves nothing stored and the records on the wristband.
//
// Input: byte 0 chooses the model (bit 0: K9E). The rest is 512-byte blocks: for a K9E the
// stream in order, for a K7 the blocks its reader visits (8, 10, 12, 14, then 96, 98, ... 124).

#include "app/appstate.h"
#include "backends/linux/iniprofile.h"
#include "backends/sim/singletargettransport.h"
#include "data/collectionreport.h"
#include "data/monthbuffer.h"
#include "data/passthroughreaders.h"
#include "data/recordformats.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordimage.h"
#include "fuzzcheck.h"
#include "platform/services.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

using trek::emu::PassThroughWristband;

using trek::fuzz::check;

std::unique_ptr<QTemporaryDir> workingFolder;

// Blocks of the K7 memory in the order its reader visits them.
std::vector<int> K7ReadOrder()
{
    std::vector<int> order;
    for (int block = 8; block <= 14; block += 2) {
        order.push_back(block);
    }
    for (int block = 96; block <= 124; block += 2) {
        order.push_back(block);
    }
    return order;
}

QByteArray K7Memory(QByteArrayView blocks)
{
    static const std::vector<int> order = K7ReadOrder();
    QByteArray memory(qsizetype{128} * trek::emu::RecordBlockSize, '\0');
    const int given = trek::emu::BlockCount(blocks.toByteArray());
    for (int i = 0; i < given && i < static_cast<int>(order.size()); ++i) {
        memory.replace(qsizetype{order[static_cast<std::size_t>(i)]} * trek::emu::RecordBlockSize,
                       trek::emu::RecordBlockSize, trek::emu::ImageBlock(blocks.toByteArray(), i));
    }
    return memory;
}

// Sum of every slot of every month file, and whether there is any.
struct StoreTotal
{
    std::uint32_t steps = 0;
    int files = 0;
};

StoreTotal ReadStore(const QString& folder)
{
    StoreTotal total;
    const QDir data(folder + QStringLiteral("/Data"));
    for (const QString& name : data.entryList({QStringLiteral("Stepo*.BIN")}, QDir::Files)) {
        QFile file(data.filePath(name));
        check(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        check(bytes.size() == trek::MonthBuffer::FileSize);
        const auto* raw = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            total.steps += static_cast<std::uint32_t>(raw[i] | (raw[i + 1] << 8));
        }
        ++total.files;
    }
    return total;
}

// A K9E block dated on the 31st of a month that has no 31st keeps that row, and minutes it runs
// past the row are dropped while its values still count, as they always have: the store then
// lags the counters by design.
bool DropsMinutesByDesign(QByteArrayView stream)
{
    for (qsizetype at = 0; at < stream.size(); at += trek::emu::RecordBlockSize) {
        const QByteArray block = trek::emu::ImageBlock(
            stream.toByteArray(), static_cast<int>(at / trek::emu::RecordBlockSize));
        const std::optional<trek::K9EBlock> parsed =
            trek::ParseK9EBlock(reinterpret_cast<const std::uint8_t*>(block.constData()));
        if (!parsed) {
            return false;
        }
        if (parsed->day == 31 && parsed->month <= 12 &&
            !QDate(parsed->year, parsed->month, 31).isValid()) {
            return true;
        }
        if (parsed->last) {
            return false;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // Every input commits; a folder in memory keeps the syncs cheap.
    const QString shm = QStringLiteral("/dev/shm");
    workingFolder = QFileInfo(shm).isWritable()
                        ? std::make_unique<QTemporaryDir>(shm + QStringLiteral("/trek-fuzz-XXXXXX"))
                        : std::make_unique<QTemporaryDir>();
    check(workingFolder->isValid());
    check(std::atexit([] { workingFolder.reset(); }) == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    // A fresh store and settings file for every input.
    const QString folder = workingFolder->filePath(QStringLiteral("w"));
    QDir(folder).removeRecursively();
    check(QDir().mkpath(folder));
    trek::resetAppState();
    trek::platform::IniProfile profile;
    trek::appState().services.profile = &profile;
    trek::appState().workingFolder = folder;
    trek::appState().settingsPath = folder + QStringLiteral("/Trekkomat2.INI");

    const bool k9e = (data[0] & 1) != 0;
    const QByteArrayView blocks(data + 1, static_cast<qsizetype>(size - 1));
    PassThroughWristband wristband(k9e ? PassThroughWristband::Model::K9E
                                       : PassThroughWristband::Model::K7,
                                   k9e ? blocks.toByteArray() : K7Memory(blocks));
    trek::platform::SingleTargetTransport transport(wristband);
    trek::appState().services.scsi = &transport;

    trek::CollectionReport report;
    const trek::platform::DeviceHandle handle = trek::platform::SingleTargetTransport::Handle;
    const bool stored =
        k9e ? trek::ReadK9EBlocks(handle, report) : trek::ReadK7Memory(handle, report);

    const StoreTotal store = ReadStore(folder);
    const int totalSteps = profile.getInt(QStringLiteral("Summary"), QStringLiteral("TotalSteps"),
                                          0, trek::appState().settingsPath);
    if (stored) {
        check(!report.failed());
        check(wristband.endCollectionCount() == 1);
        // Each slot wraps at 16 bits, so the sums agree modulo 65,536.
        check((store.steps & 0xFFFFU) == (static_cast<std::uint32_t>(totalSteps) & 0xFFFFU) ||
              (k9e && DropsMinutesByDesign(blocks)));
    } else {
        check(report.failed());
        check(wristband.endCollectionCount() == 0);
        check(store.files == 0 && totalSteps == 0);
    }
    if (k9e) {
        check(wristband.recordBlocksRead() <= trek::MaxK9EBlocks);
    }
    trek::appState().services = trek::platform::Services{};
    return 0;
}

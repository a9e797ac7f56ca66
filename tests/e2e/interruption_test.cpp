// SPDX-License-Identifier: GPL-3.0-or-later
// Interruptions inside one collection, at every point the collection reaches: the wristband
// pulled out after each day file or record block and plugged in again, and a commit that could
// not be finished while the collection went on. Afterwards the store and the counters must equal
// those of one undisturbed collection.

#include "app/appstate.h"
#include "data/collectionreport.h"
#include "data/datatestsupport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "doubles/memoryprofile.h"
#include "emulator/filemodelwristband.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordwriters.h"
#include "storecheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace trek {
namespace {

using emu::PassThroughWristband;
using test::StoreState;

class Interruption : public test::DiskTest
{
protected:
    QString disk() const { return dir.filePath(QStringLiteral("disk")); }
    QString unplugged() const { return dir.filePath(QStringLiteral("disk-away")); }

    // Every run gets a working folder of its own.
    void UseWorkingFolder(const QString& name)
    {
        const QString folder = dir.filePath(name);
        QDir().mkpath(folder);
        appState().workingFolder = folder;
        appState().settingsPath = folder + QStringLiteral("/Trekkomat2.INI");
    }

    // The slots of every store file, and the counters of the settings file.
    static StoreState Stored()
    {
        StoreState state;
        const QDir data(appState().workingFolder + QStringLiteral("/Data"));
        for (const QString& name : data.entryList({QStringLiteral("*.BIN")}, QDir::Files)) {
            QFile file(data.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            for (qsizetype slot = 0; slot + 1 < bytes.size(); slot += 2) {
                const int steps = static_cast<std::uint8_t>(bytes[slot]) |
                                  static_cast<std::uint8_t>(bytes[slot + 1]) << 8;
                if (steps != 0) {
                    state.minutes[name + u'#' + QString::number(slot / 2)] = steps;
                }
            }
        }
        const platform::Profile& profile = *appState().services.profile;
        state.totalSteps = profile.getInt(QStringLiteral("Summary"), QStringLiteral("TotalSteps"),
                                          0, appState().settingsPath);
        state.totalPeriod = profile.getInt(QStringLiteral("Summary"), QStringLiteral("TotalPeriod"),
                                           0, appState().settingsPath);
        return state;
    }

    void ExpectExactlyOnce(const StoreState& expected, const QString& when)
    {
        const test::Tally tally = test::Compare(expected, Stored());
        EXPECT_TRUE(tally.exact())
            << when.toStdString() << ": " << test::Describe(tally).toStdString();
        EXPECT_EQ(test::Leftovers(appState().workingFolder), QStringList()) << when.toStdString();
    }

    // Day files of both kinds over two months, as a template to copy from.
    QString MakeMixedDisk()
    {
        QString folder = dir.filePath(QStringLiteral("template"));
        emu::FileModelWristband wristband(folder);
        EXPECT_EQ(wristband.makeDisk(emu::RecordGenerator(71).generate(5, QDate(2024, 3, 2)),
                                     emu::DayFileKind::Text),
                  QString());
        EXPECT_EQ(wristband.makeDisk(emu::RecordGenerator(72).generate(5, QDate(2024, 3, 3)),
                                     emu::DayFileKind::Kdx),
                  QString());
        return folder;
    }

    void FreshDisk(const QString& templateFolder)
    {
        QDir(disk()).removeRecursively();
        test::CopyFolder(templateFolder, disk());
    }

    // Collects until no day file is left, at most three times.
    void CollectRest()
    {
        for (int attempt = 0; attempt < 3 && test::DayFilesOn(disk()) > 0; ++attempt) {
            CollectionReport again;
            CopyDayFiles('E', again);
        }
        EXPECT_EQ(test::DayFilesOn(disk()), 0);
    }
};

TEST_F(Interruption, DayFileDiskPulledOutAfterEachFileAndPluggedInAgain)
{
    const QString mixed = MakeMixedDisk();
    UseWorkingFolder(QStringLiteral("reference"));
    FreshDisk(mixed);
    CopyDayFiles('E', report);
    ASSERT_FALSE(report.failed());
    const StoreState reference = Stored();
    // The collection looks at its messages once before each day file and each commit.
    const int pumpsPerRun = ui.pumps;
    ASSERT_GE(pumpsPerRun, 10);

    for (int unplugAt = 1; unplugAt <= pumpsPerRun; ++unplugAt) {
        UseWorkingFolder(QStringLiteral("run%1").arg(unplugAt));
        FreshDisk(mixed);
        int pumps = 0;
        ui.onPump = [&] {
            if (++pumps == unplugAt) {
                ASSERT_TRUE(QDir().rename(disk(), unplugged()));
            }
        };
        CollectionReport cut;
        CopyDayFiles('E', cut);
        ui.onPump = nullptr;
        EXPECT_TRUE(cut.failed() || unplugAt == pumpsPerRun) << "unplugged at " << unplugAt;
        ASSERT_TRUE(QDir().rename(unplugged(), disk()));
        CollectRest();
        ExpectExactlyOnce(reference, QStringLiteral("unplugged at pump %1").arg(unplugAt));
    }
}

TEST_F(Interruption, PassThroughWristbandPulledOutAfterEachBlockAndPluggedInAgain)
{
    const emu::StepHistory history = emu::RecordGenerator(73).generate(6, QDate(2024, 3, 3));
    struct Model
    {
        PassThroughWristband::Model model;
        QByteArray image;
        bool (*read)(platform::DeviceHandle, CollectionReport&);
        int blocks; // record blocks an undisturbed reading takes
    };
    const Model models[] = {
        {PassThroughWristband::Model::K9E, emu::MakeK9EImage(history), ReadK9EBlocks, 12},
        {PassThroughWristband::Model::K7, emu::MakeK7Image(history).bytes, ReadK7Memory, 4}};

    for (const Model& model : models) {
        const auto read = [&](const QString& folder, int unplugAfter) {
            UseWorkingFolder(folder);
            PassThroughWristband device(model.model, model.image);
            platform::SingleTargetTransport transport(device);
            appState().services.scsi = &transport;
            device.disappearAfterBlocks(unplugAfter);
            CollectionReport cut;
            (void)model.read(1, cut);
            device.reconnect();
            // A wristband offers its records again until it has confirmed their collection.
            for (int attempt = 0; attempt < 3 && device.hasNewData(); ++attempt) {
                CollectionReport again;
                (void)model.read(1, again);
            }
            EXPECT_FALSE(device.hasNewData());
            EXPECT_GE(device.recordBlocksRead(), model.blocks);
            appState().services.scsi = nullptr;
        };
        read(QStringLiteral("reference"), -1);
        const StoreState reference = Stored();
        ASSERT_GT(reference.totalSteps, 0);
        QDir(dir.filePath(QStringLiteral("reference"))).removeRecursively();
        for (int unplugAfter = 0; unplugAfter <= model.blocks; ++unplugAfter) {
            const QString folder = QStringLiteral("run%1").arg(unplugAfter);
            read(folder, unplugAfter);
            ExpectExactlyOnce(reference, QStringLiteral("model %1, unplugged after %2 blocks")
                                             .arg(static_cast<int>(model.model))
                                             .arg(unplugAfter));
            QDir(dir.filePath(folder)).removeRecursively();
        }
    }
}

// Pulled out after its steps were stored but before its day files could go, the disk is
// collected again before the drive table has noticed: the folder lists as empty then. Its files,
// back with the next plug-in, must still be known as stored.
TEST_F(Interruption, DiskListedWhileGoneStillKnowsItsStoredFiles)
{
    const QString mixed = MakeMixedDisk();
    UseWorkingFolder(QStringLiteral("reference"));
    FreshDisk(mixed);
    CopyDayFiles('E', report);
    const StoreState reference = Stored();
    const int pumpsPerRun = ui.pumps; // the last one comes just before the KDX files' commit

    UseWorkingFolder(QStringLiteral("run"));
    FreshDisk(mixed);
    int pumps = 0;
    ui.onPump = [&] {
        if (++pumps == pumpsPerRun) {
            ASSERT_TRUE(QDir().rename(disk(), unplugged()));
        }
    };
    CollectionReport stored;
    CopyDayFiles('E', stored);
    ui.onPump = nullptr;
    EXPECT_GT(test::DayFilesOn(unplugged()), 0);
    CollectionReport whileGone;
    CopyDayFiles('E', whileGone);
    EXPECT_TRUE(whileGone.failed());
    ASSERT_TRUE(QDir().rename(unplugged(), disk()));
    CollectRest();
    ExpectExactlyOnce(reference, QStringLiteral("after a collection of the missing disk"));
}

// The text files' commit fails once its months are written; the KDX files of the same months
// are collected in the same run. The unfinished commit must neither be lost nor overtaken.
TEST_F(Interruption, CommitLeftUnfinishedWhileTheNextKindIsCollected)
{
    platform::MemoryProfile memory;
    appState().services.profile = &memory;
    const QString mixed = MakeMixedDisk();
    UseWorkingFolder(QStringLiteral("reference"));
    FreshDisk(mixed);
    CopyDayFiles('E', report);
    const StoreState reference = Stored();

    UseWorkingFolder(QStringLiteral("run"));
    FreshDisk(mixed);
    // Only the first commit's counters fail; everything after is written again.
    int pumps = 0;
    memory.setWritesFail(true);
    ui.onPump = [&] {
        if (++pumps == 7) { // the text files' commit has failed; the KDX files come next
            memory.setWritesFail(false);
        }
    };
    CollectionReport cut;
    CopyDayFiles('E', cut);
    ui.onPump = nullptr;
    EXPECT_TRUE(cut.failed());
    CollectRest();
    ExpectExactlyOnce(reference, QStringLiteral("after a failed commit"));
}

} // namespace
} // namespace trek

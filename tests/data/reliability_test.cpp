// SPDX-License-Identifier: GPL-3.0-or-later
// What happens to the steps when the disk under the store fails: nothing may be lost and nothing
// counted twice. These tests mount small file systems and so need the rights to do that; where
// the machine does not give them, they say so and skip.

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "data/monthbuffer.h"
#include "data/passthroughreaders.h"
#include "datatestsupport.h"
#include "doubles/memoryprofile.h"
#include "emulator/passthroughwristband.h"
#include "support/scratchmount.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trek {
namespace {

using emu::PassThroughWristband;
using test::MonthBytes;
using test::SlotIndex;

class StoreDiskFailureTest : public test::DataTest
{
protected:
    void TearDown() override
    {
        m_dataMount.reset();
        if (!m_boundDisk.isEmpty()) {
            ::umount2(m_boundDisk.toLocal8Bit().constData(), MNT_DETACH);
        }
        DataTest::TearDown();
    }

    // Puts a tmpfs of `kilobytes` on the Data folder, holding `oldMonth` as March 2014. Empty
    // when that is not possible here, with the reason.
    QString MountData(int kilobytes, const QByteArray& oldMonth, bool readOnly)
    {
        const QString data = dir.filePath(QStringLiteral("Data"));
        QDir().mkpath(data);
        m_dataMount = std::make_unique<test::ScratchMount>(
            QString::number(kilobytes) + QStringLiteral("k"), data);
        if (!m_dataMount->mounted()) {
            return m_dataMount->error();
        }
        dir.write(storeFile(2014, 3), oldMonth);
        if (readOnly && !m_dataMount->remountReadOnly()) {
            return m_dataMount->error();
        }
        return {};
    }

    void ExpectNothingChanged(const QByteArray& oldMonth)
    {
        EXPECT_EQ(storeBytes(2014, 3), oldMonth);
        EXPECT_EQ(appState().values.totalSteps, 500);
        EXPECT_EQ(settingInt("Summary", "TotalSteps"), 500);
        EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files),
                  QStringList{QStringLiteral("Stepo201403.BIN")});
    }

    void PutDayFileOnDisk()
    {
        drives.add('E', dir.filePath(QStringLiteral("disk")));
        dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\n");
    }

    void StartWithCounters()
    {
        appState().values.totalSteps = 500;
        ASSERT_TRUE(setting::TotalSteps.Write(500));
    }

    const QByteArray m_oldMonth = MonthBytes({{SlotIndex(1, 10, 0), 11}});
    std::unique_ptr<test::ScratchMount> m_dataMount;
    QString m_boundDisk;
};

TEST_F(StoreDiskFailureTest, FullDataFolderKeepsDayFileOldMonthAndCounters)
{
    // Room for the old month but not for its replacement beside it.
    if (const QString why = MountData(120, m_oldMonth, false); !why.isEmpty()) {
        GTEST_SKIP() << why.toStdString();
    }
    StartWithCounters();
    PutDayFileOnDisk();

    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140301.txt")));
    ExpectNothingChanged(m_oldMonth);
    EXPECT_EQ(ui.messages.size(), 1);

    // Once there is room, the commit is finished and the day file removed without counting it
    // a second time.
    m_dataMount.reset();
    dir.write(storeFile(2014, 3), m_oldMonth);
    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 16}}));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 505);
    EXPECT_FALSE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("Trekkomat2.journal")));
}

TEST_F(StoreDiskFailureTest, ReadOnlyDataFolderKeepsTheWristbandsRecords)
{
    if (const QString why = MountData(512, m_oldMonth, true); !why.isEmpty()) {
        GTEST_SKIP() << why.toStdString();
    }
    StartWithCounters();
    PassThroughWristband device(PassThroughWristband::Model::K9E,
                                test::K9EBlock(14, 3, 1, 0, {10}, false) +
                                    test::K9EBlock(14, 4, 1, 0, {10}, true));
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;

    EXPECT_FALSE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device.endCollectionCount(), 0);
    EXPECT_TRUE(device.hasNewData());
    ExpectNothingChanged(m_oldMonth);
}

TEST_F(StoreDiskFailureTest, SettingsFileThatCannotBeWrittenIsFinishedByTheNextCollection)
{
    platform::MemoryProfile memory;
    memory.setWritesFail(true);
    appState().services.profile = &memory;
    dir.write(storeFile(2014, 3), m_oldMonth);
    PutDayFileOnDisk();
    dir.write(QStringLiteral("disk/20140401.txt"), "10:00~10:00 5\n");

    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140401.txt")));
    EXPECT_EQ(appState().values.totalSteps, 0);
    EXPECT_EQ(ui.messages.size(), 1); // one failed commit, one message
    EXPECT_EQ(report.filesFailed, 2);

    memory.setWritesFail(false);
    CollectionReport retry;
    EXPECT_EQ(CopyDayFiles('E', retry), 0);
    EXPECT_FALSE(retry.failed());
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 16}}));
    EXPECT_EQ(storeBytes(2014, 4), MonthBytes({{SlotIndex(1, 10, 0), 5}}));
    EXPECT_EQ(memory.getInt(QStringLiteral("Summary"), QStringLiteral("TotalSteps"), 0,
                            appState().settingsPath),
              10);
    EXPECT_EQ(appState().values.totalSteps, 10);
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("disk"))).isEmpty());
}

TEST_F(StoreDiskFailureTest, ReadOnlyWristbandDiskIsNotImportedFrom)
{
    const QString disk = dir.filePath(QStringLiteral("disk"));
    PutDayFileOnDisk();
    if (::mount(disk.toLocal8Bit().constData(), disk.toLocal8Bit().constData(), nullptr, MS_BIND,
                nullptr) != 0 ||
        ::mount(nullptr, disk.toLocal8Bit().constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                nullptr) != 0) {
        ::umount2(disk.toLocal8Bit().constData(), MNT_DETACH);
        GTEST_SKIP() << "cannot make a read-only bind mount here (needs root): " << strerror(errno);
    }
    m_boundDisk = disk;
    // Its day files could not be deleted afterwards and would be counted again next time.
    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
    EXPECT_EQ(appState().values.totalSteps, 0);
}

// A save interrupted at any moment leaves the old month or the new one, never a mixture.
TEST(StoreCrash, KilledSaveLeavesEitherWholeVersion)
{
    test::TempDir dir;
    MonthBuffer first;
    MonthBuffer second;
    ASSERT_TRUE(first.Load(dir.path(), 2014, 3).ok());
    ASSERT_TRUE(second.Load(dir.path(), 2014, 3).ok());
    StepCounters ignored;
    for (int day = 1; day <= 31; ++day) {
        first.AddMinute(day, 12, 0, 1111, ignored);
        second.AddMinute(day, 12, 0, 2222, ignored);
        second.AddMinute(day, 13, 0, 3333, ignored);
    }
    ASSERT_TRUE(first.Save().ok());
    const QByteArray a = first.toBytes();
    const QByteArray b = second.toBytes();
    const QString path = first.path();

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pause(0, 30000);
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                (void)second.Save();
                (void)first.Save();
            }
        }
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "round " << round;
        const QByteArray onDisk = file.readAll();
        EXPECT_TRUE(onDisk == a || onDisk == b) << "round " << round << ": " << onDisk.size();
    }
}

} // namespace
} // namespace trek

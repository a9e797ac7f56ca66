// SPDX-License-Identifier: GPL-3.0-or-later
// A commit cut short anywhere is finished exactly once, and what was stored but is still on the
// wristband is acknowledged, never counted again.

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/commitjournal.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "data/storelock.h"
#include "data/storepath.h"
#include "datatestsupport.h"
#include "emulator/passthroughwristband.h"
#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

namespace trek {
namespace {

using emu::PassThroughWristband;
using test::MonthBytes;
using test::SlotIndex;

class ExactlyOnceTest : public test::DiskTest
{
protected:
    // A commit of 5 steps on 1 March 2014 that also removes "20140301.txt" from the disk.
    CommitPlan PlanOfOneDayFile(const QByteArray& dayFile)
    {
        CommitPlan plan;
        plan.months.push_back({StoreFileName(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 5}})});
        plan.counters.push_back(
            {QStringLiteral("Summary"), QStringLiteral("TotalSteps"), 100, 105});
        const DayFileStamp stamp = DayFileStamp::Of(QStringLiteral("20140301.txt"), dayFile);
        ImportLedger ledger;
        ledger.AddDayFile(stamp);
        plan.ledger = ledger;
        plan.wristbandRoot = dir.filePath(QStringLiteral("disk"));
        plan.wristbandVolume = drives.volumeIdentity('E');
        plan.dayFilesToRemove.push_back(stamp);
        return plan;
    }
    QString journal() const { return JournalPath(appState().workingFolder); }
};

TEST_F(ExactlyOnceTest, JournalLeftAtAnyStageIsFinishedOnceAndOnlyOnce)
{
    const QByteArray dayFile("10:00~10:00 5\n");
    const CommitPlan plan = PlanOfOneDayFile(dayFile);
    // What a crash may have applied already: nothing, the months, or the months and counters.
    for (int applied = 0; applied <= 2; ++applied) {
        SCOPED_TRACE(applied);
        dir.write(QStringLiteral("disk/20140301.txt"), dayFile);
        dir.write(storeFile(2014, 3), applied >= 1 ? plan.months[0].content : QByteArray());
        ASSERT_TRUE(setting::TotalSteps.Write(applied >= 2 ? 105 : 100));
        ASSERT_TRUE(platform::writeFileAtomically(journal(), EncodeCommitPlan(plan)).ok());

        ASSERT_TRUE(RecoverPendingCommit().ok());
        ASSERT_TRUE(RecoverPendingCommit().ok()); // nothing left to do the second time

        EXPECT_EQ(storeBytes(2014, 3), plan.months[0].content);
        EXPECT_EQ(settingInt("Summary", "TotalSteps"), 105);
        EXPECT_EQ(appState().values.totalSteps, 105);
        EXPECT_FALSE(dir.exists(QStringLiteral("disk/20140301.txt")));
        EXPECT_FALSE(QFileInfo::exists(journal()));
        EXPECT_EQ(ImportLedger::Load(appState().workingFolder)->ToBytes(), plan.ledger->ToBytes());
    }
}

TEST_F(ExactlyOnceTest, RecoveryKeepsWhatOthersChangedAndWhatIsNotTheStoredFile)
{
    const CommitPlan plan = PlanOfOneDayFile("10:00~10:00 5\n");
    // Another program added 400 meanwhile; the day file on the disk now holds other steps.
    ASSERT_TRUE(setting::TotalSteps.Write(500));
    dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 6\n");
    ASSERT_TRUE(platform::writeFileAtomically(journal(), EncodeCommitPlan(plan)).ok());

    ASSERT_TRUE(RecoverPendingCommit().ok());
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 505);
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140301.txt")));

    // A journal cut short was never applied: it goes, and nothing else changes.
    QByteArray torn = EncodeCommitPlan(plan);
    torn.chop(1);
    dir.write(QStringLiteral("Trekkomat2.journal"), torn);
    ASSERT_TRUE(RecoverPendingCommit().ok());
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 505);
    EXPECT_FALSE(QFileInfo::exists(journal()));
}

// A journal finishes only what belongs to its own folder and its own wristband: one naming
// anything else is kept, unapplied, and says why; day files go only from the volume they were
// read from, wherever it is mounted now.
TEST_F(ExactlyOnceTest, JournalTouchesNothingButItsFolderAndItsWristband)
{
    const QByteArray dayFile("10:00~10:00 5\n");
    ASSERT_TRUE(setting::TotalSteps.Write(100));
    dir.write(QStringLiteral("outside/Stepo201403.BIN"), "theirs");
    const auto hostile = [this, &dayFile](const std::function<void(CommitPlan&)>& change) {
        CommitPlan plan = PlanOfOneDayFile(dayFile);
        change(plan);
        return EncodeCommitPlan(plan);
    };
    for (const QByteArray& journalBytes :
         {hostile([this](CommitPlan& p) {
              p.months[0].name = dir.filePath(QStringLiteral("outside/Stepo201403.BIN"));
          }),
          hostile([](CommitPlan& p) {
              p.months[0].name = QStringLiteral("../outside/Stepo201403.BIN");
          }),
          hostile([](CommitPlan& p) {
              p.dayFilesToRemove[0].name = QStringLiteral("../outside/Stepo201403.BIN");
          })}) {
        dir.write(QStringLiteral("Trekkomat2.journal"), journalBytes);
        const Result<> recovered = RecoverPendingCommit();
        ASSERT_FALSE(recovered.ok());
        EXPECT_TRUE(recovered.error().contains(QStringLiteral("outside/Stepo201403.BIN")))
            << recovered.error().toStdString();
        EXPECT_TRUE(QFileInfo::exists(journal()));
        EXPECT_EQ(dir.read(QStringLiteral("outside/Stepo201403.BIN")), "theirs");
        EXPECT_EQ(settingInt("Summary", "TotalSteps"), 100);
    }
    QFile::remove(journal());

    // A link in place of the store folder would lead the months out of it.
    ASSERT_TRUE(
        QFile::link(dir.filePath(QStringLiteral("outside")), dir.filePath(QStringLiteral("Data"))));
    dir.write(QStringLiteral("Trekkomat2.journal"), hostile([](CommitPlan&) {}));
    EXPECT_FALSE(RecoverPendingCommit().ok());
    EXPECT_EQ(dir.read(QStringLiteral("outside/Stepo201403.BIN")), "theirs");
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("Data"))));

    // Another disk now sits at the wristband's path, and the wristband itself is on F:.
    dir.write(QStringLiteral("disk/20140301.txt"), dayFile);
    dir.write(QStringLiteral("moved/20140301.txt"), dayFile);
    drives.add('E', dir.filePath(QStringLiteral("disk")), QStringLiteral("another disk"));
    drives.add('F', dir.filePath(QStringLiteral("moved")), QStringLiteral("volume-E"));
    ASSERT_TRUE(RecoverPendingCommit().ok());
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 105);
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 5}}));
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("moved/20140301.txt")));
}

// Names are kept byte for byte, a line break or a percent sign included.
TEST_F(ExactlyOnceTest, LedgerKeepsAnyDayFileName)
{
    ImportLedger ledger;
    const DayFileStamp odd = DayFileStamp::Of(QStringLiteral("2014\n0301 %41.txt"), "5");
    ledger.AddDayFile(odd);
    const Result<ImportLedger> read = ImportLedger::FromBytes(ledger.ToBytes());
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->HoldsDayFile(odd));
    EXPECT_EQ(*read, ledger);
    // A ledger of the earlier form, the name as it was, still reads.
    const Result<ImportLedger> earlier =
        ImportLedger::FromBytes("F 1 " + odd.hash.toHex() + " 20140301 %41.txt\n");
    ASSERT_TRUE(earlier.ok());
    EXPECT_TRUE(earlier->HoldsDayFile(DayFileStamp::Of(QStringLiteral("20140301 %41.txt"), "5")));
}

TEST_F(ExactlyOnceTest, DayFileThatComesBackIsRemovedUncountedButNewStepsUnderItsNameCount)
{
    dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\n");
    ASSERT_EQ(CopyDayFiles('E', report), 1);
    // Pulled before the removal reached the disk: the same file is back.
    dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\n");
    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_FALSE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 5);

    dir.write(QStringLiteral("disk/20140301.txt"), "11:00~11:00 7\n");
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 12);
    EXPECT_EQ(storeBytes(2014, 3),
              MonthBytes({{SlotIndex(1, 10, 0), 5}, {SlotIndex(1, 11, 0), 7}}));
    EXPECT_FALSE(report.failed());
}

TEST_F(ExactlyOnceTest, DayFileRewrittenInPlaceAfterItsReadStaysThoughItsSizeIsTheSame)
{
    dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\n");
    const QString changed = dir.write(QStringLiteral("disk/20140302.txt"), "10:00~10:00 6\n");
    // Old enough for their versions to be trusted: the untouched one goes without a second read.
    QThread::msleep(3200);
    ui.onPump = [&changed, pumps = 0]() mutable {
        if (++pumps == 3) { // both read, the commit next
            QFile file(changed);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_EQ(file.write("10:00~10:00 9\n"), 14);
        }
    };
    EXPECT_EQ(CopyDayFiles('E', report), 2);

    EXPECT_FALSE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_EQ(dir.read(QStringLiteral("disk/20140302.txt")), QByteArray("10:00~10:00 9\n"));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 11);
}

TEST_F(ExactlyOnceTest, UnconfirmedEndOfCollectionIsAcknowledgedWithoutCountingAgain)
{
    const QByteArray image =
        test::K9EBlock(14, 3, 1, 0, {10}, false) + test::K9EBlock(14, 3, 1, 12, {20}, true);
    PassThroughWristband device(PassThroughWristband::Model::K9E, image);
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;
    device.disappearAfterBlocks(2); // unplugged between the commit and the end of collection

    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device.endCollectionCount(), 0);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 30);

    device.reconnect();
    EXPECT_TRUE(ReadK9EBlocks(1, report));
    EXPECT_EQ(device.endCollectionCount(), 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 30);
    EXPECT_FALSE(ImportLedger::Load(appState().workingFolder)->HoldsAnyRecords());
}

TEST_F(ExactlyOnceTest, StartRemovesWhatAKilledSaveLeftBehind)
{
    dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\n");
    dir.write(QStringLiteral("Data/.Stepo201403.BIN.5f3a9c01.tmp"), "left by a killed save");
    ASSERT_TRUE(PrepareWorkingFolder().ok());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Data"))).isEmpty());
    EXPECT_EQ(CopyDayFiles('E', report), 1);
}

} // namespace
} // namespace trek

// A commit cut short anywhere is finished exactly once, and what was stored but is still on the
// wristband is acknowledged, never counted again.

#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/commitjournal.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "data/storelock.h"
#include "datatestsupport.h"
#include "emulator/passthroughwristband.h"
#include "platform/atomicfile.h"

#include <QDir>
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
        plan.months.push_back({storePath(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 5}})});
        plan.counters.push_back(
            {QStringLiteral("Summary"), QStringLiteral("TotalSteps"), 100, 105});
        const DayFileStamp stamp = DayFileStamp::Of(QStringLiteral("20140301.txt"), dayFile);
        ImportLedger ledger;
        ledger.AddDayFile(stamp);
        plan.ledger = ledger;
        plan.wristbandRoot = dir.filePath(QStringLiteral("disk"));
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
        ASSERT_TRUE(WriteSettingInt(keys::Summary, "TotalSteps", applied >= 2 ? 105 : 100));
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
    ASSERT_TRUE(WriteSettingInt(keys::Summary, "TotalSteps", 500));
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

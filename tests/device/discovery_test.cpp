// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/discovery.h"
#include "simulatedwristbands.h"

#include <QDir>
#include <QFile>

namespace trek {
namespace {

const QString NotFound = QStringLiteral("Not found K7 Stepo-Disk");

class DiscoveryTest : public test::SimulatedWristbandTest
{
protected:
    const WristbandLink& link() const { return appState().link; }
};

TEST_F(DiscoveryTest, FolderWithADayFileIsATextWristband)
{
    makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.TXT"), QStringLiteral("notes.txt")});
    useDrives({QStringLiteral("E=e")});
    appState().link.dataKind = 1;

    DiscoverWristband();

    EXPECT_EQ(link().driveLetter, 'E');
    EXPECT_FALSE(link().passThrough);
    EXPECT_FALSE(link().plugged);
    EXPECT_EQ(link().volume, platform::InvalidDeviceHandle);
    EXPECT_EQ(link().dataKind, 0);
    EXPECT_EQ(readDisplayMode(), 0);
    // Without a collection run installed, the wristband is shown in the drive label.
    EXPECT_EQ(ui.driveLabels, QStringList{QStringLiteral("K7 Trekkomat_2  (E:)")});
}

TEST_F(DiscoveryTest, KdxDayFileMeansMinuteDataAndTextWins)
{
    makeFolder(QStringLiteral("kdx"), {QStringLiteral("20260609.KDX")});
    makeFolder(QStringLiteral("both"),
               {QStringLiteral("20260609.kdx"), QStringLiteral("20260609.txt")});
    useDrives({QStringLiteral("F=kdx")});
    DiscoverWristband();
    EXPECT_EQ(link().driveLetter, 'F');
    EXPECT_EQ(link().dataKind, 1);
    EXPECT_EQ(readDisplayMode(), 1);

    useDrives({QStringLiteral("G=both")});
    DiscoverWristband();
    EXPECT_EQ(link().driveLetter, 'G');
    EXPECT_EQ(link().dataKind, 0);
    EXPECT_EQ(readDisplayMode(), 0);
}

TEST_F(DiscoveryTest, MarkerFileAloneIsAWristbandWithoutTouchingTheDataKind)
{
    makeFolder(QStringLiteral("m"), {QStringLiteral("USBWATCH.DAT")});
    useDrives({QStringLiteral("H=m")});
    appState().link.dataKind = 1;
    DiscoverWristband();
    EXPECT_EQ(link().driveLetter, 'H');
    EXPECT_EQ(link().dataKind, 1);
    EXPECT_EQ(readDisplayMode(), -1); // not written
}

TEST_F(DiscoveryTest, MarkerCountsOnlyWhenItIsAFileThatCanBeRead)
{
    makeFolder(QStringLiteral("fifo"), {});
    dir.makeFifo(QStringLiteral("fifo/USBWATCH.DAT")); // an ordinary open would wait for ever
    makeFolder(QStringLiteral("linked"), {});
    dir.makeLink(QStringLiteral("linked/USBWATCH.DAT"),
                 dir.write(QStringLiteral("outside/USBWATCH.DAT"), "1"));

    useDrives({QStringLiteral("E=fifo")});
    DiscoverWristband();
    EXPECT_EQ(link().driveLetter, 0);
    EXPECT_EQ(ui.driveLabels, QStringList{NotFound});

    useDrives({QStringLiteral("F=linked")});
    DiscoverWristband();
    EXPECT_EQ(link().driveLetter, 'F');
}

TEST_F(DiscoveryTest, OrdinaryFlashDiskIsNotAWristband)
{
    makeFolder(QStringLiteral("stick"),
               {QStringLiteral("notes.txt"), QStringLiteral("2026.KDX.bak"),
                QStringLiteral("20260609.csv")});
    QDir().mkpath(dir.filePath(QStringLiteral("stick/20260609.txt"))); // a folder, not a file
    useDrives({QStringLiteral("E=stick")});

    DiscoverWristband();

    EXPECT_EQ(link().driveLetter, 0);
    EXPECT_TRUE(link().plugged);
    EXPECT_EQ(ui.driveLabels, QStringList{NotFound});
}

TEST_F(DiscoveryTest, K7WithNewDataHoldsItsVolumeOpen)
{
    useDrives(
        {QStringLiteral("F=k7:") + QFileInfo(makeImage(QStringLiteral("k7.img"))).fileName()});
    DiscoverWristband();

    EXPECT_EQ(link().driveLetter, 'F');
    EXPECT_TRUE(link().passThrough);
    EXPECT_TRUE(link().hasNewData);
    EXPECT_NE(link().modelLetter, 'E');
    EXPECT_NE(link().modelLetter, 0);
    EXPECT_EQ(link().dataKind, 1);
    EXPECT_EQ(readDisplayMode(), -1); // pass-through data kind is kept in memory only
    EXPECT_NE(link().volume, platform::InvalidDeviceHandle);
    EXPECT_EQ(transport().openHandleCount(), 1);
    EXPECT_FALSE(link().plugged);
    EXPECT_EQ(ui.statusTexts, (QStringList{QStringLiteral(" Lock Volumn F:"),
                                           QStringLiteral(" Lock F: Complete")}));
    EXPECT_EQ(ui.driveLabels, QStringList{QStringLiteral("K7 Trekkomat_2  (F:)")});
    EXPECT_EQ(transport().lockAttempts(), 0); // discovery opens the volume, it does not lock it
}

TEST_F(DiscoveryTest, K9EWithoutNewDataIsStillConnected)
{
    useDrives(
        {QStringLiteral("G=k9e:") + QFileInfo(makeImage(QStringLiteral("k9e.img"))).fileName()});
    wristbandAt('G').setHasNewData(false);
    DiscoverWristband();

    EXPECT_EQ(link().driveLetter, 'G');
    EXPECT_TRUE(link().passThrough);
    EXPECT_EQ(link().modelLetter, 'E');
    EXPECT_FALSE(link().hasNewData);
}

TEST_F(DiscoveryTest, RepeatedDiscoveryKeepsOneHandle)
{
    useDrives(
        {QStringLiteral("F=k7:") + QFileInfo(makeImage(QStringLiteral("k7.img"))).fileName()});
    DiscoverWristband();
    DiscoverWristband();
    DiscoverWristband();
    EXPECT_EQ(transport().openHandleCount(), 1);
    EXPECT_EQ(link().driveLetter, 'F');
}

TEST_F(DiscoveryTest, LowerLetterWinsAndTheRunStartsOnce)
{
    makeFolder(QStringLiteral("g"), {QStringLiteral("20260609.txt")});
    useDrives({QStringLiteral("K=k7:") + QFileInfo(makeImage(QStringLiteral("k.img"))).fileName(),
               QStringLiteral("G=g")});
    int runs = 0;
    char seen = 0;
    appState().hooks.collectionRun = [&] {
        ++runs;
        seen = appState().link.driveLetter;
    };

    DiscoverWristband();

    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, 'G');
    EXPECT_FALSE(link().passThrough);
    EXPECT_TRUE(ui.driveLabels.isEmpty()); // the run shows the label itself
}

TEST_F(DiscoveryTest, FileModelTakingOverReleasesAnEarlierPassThroughHandle)
{
    useDrives({QStringLiteral("F=k7:") + QFileInfo(makeImage(QStringLiteral("k.img"))).fileName(),
               QStringLiteral("E=e")});
    DiscoverWristband();
    ASSERT_EQ(link().driveLetter, 'F');
    ASSERT_EQ(transport().openHandleCount(), 1);

    makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
    table().rescan(); // E arrives, then the device change discovers again

    EXPECT_EQ(link().driveLetter, 'E');
    EXPECT_FALSE(link().passThrough);
    EXPECT_EQ(link().volume, platform::InvalidDeviceHandle);
    EXPECT_EQ(transport().openHandleCount(), 0);
}

TEST_F(DiscoveryTest, WristbandWithoutALetterIsFoundByItsDevicePath)
{
    useDrives(
        {QStringLiteral("*=k9e:") + QFileInfo(makeImage(QStringLiteral("star.img"))).fileName()});
    DiscoverWristband();

    EXPECT_EQ(link().driveLetter, '*');
    EXPECT_TRUE(link().passThrough);
    EXPECT_EQ(link().modelLetter, 'E');
    EXPECT_NE(link().volume, platform::InvalidDeviceHandle);
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_EQ(ui.driveLabels, QStringList{QStringLiteral("K7 Trekkomat_2 ")});
}

TEST_F(DiscoveryTest, ArrivalProbesTheNewDriveAndRemovalResetsTheLink)
{
    useDrives({QStringLiteral("E=e")});
    DiscoverWristband();
    ASSERT_EQ(link().driveLetter, 0);
    ui.clear();

    makeFolder(QStringLiteral("e"), {QStringLiteral("USBWATCH.DAT")});
    table().rescan();
    EXPECT_EQ(link().driveLetter, 'E');
    EXPECT_TRUE(ui.statusTexts.contains(QStringLiteral(" New coming Disk-E:")));
    EXPECT_GE(ui.dataChanged, 1);
    EXPECT_GE(ui.refreshes, 1);

    appState().wristband.clockCorrection = 40;
    appState().wristband.sleepMonitorOn = true;
    appState().wristband.ledPowerFromHour = 8;
    ui.clear();
    QDir(dir.filePath(QStringLiteral("e"))).removeRecursively();
    table().rescan();

    EXPECT_EQ(link().driveLetter, 0);
    EXPECT_EQ(ui.statusTexts.mid(0, 2), (QStringList{QStringLiteral(" Remove Disk-E:"),
                                                     QStringLiteral(" Remove Disk-E: done")}));
    EXPECT_EQ(ui.driveLabels.value(0), NotFound);
    EXPECT_EQ(appState().wristband.clockCorrection, 0);
    EXPECT_FALSE(appState().wristband.sleepMonitorOn);
    EXPECT_EQ(appState().wristband.ledPowerFromHour, 8); // LED power control survives a reset
}

TEST_F(DiscoveryTest, RemovalOfAPassThroughWristbandClosesItsHandle)
{
    const QString image = makeImage(QStringLiteral("k7.img"));
    useDrives({QStringLiteral("F=k7:") + QFileInfo(image).fileName()});
    DiscoverWristband();
    ASSERT_EQ(transport().openHandleCount(), 1);

    QFile::remove(image);
    table().rescan();

    EXPECT_EQ(link().driveLetter, 0);
    EXPECT_FALSE(link().passThrough);
    EXPECT_EQ(link().volume, platform::InvalidDeviceHandle);
    EXPECT_EQ(transport().openHandleCount(), 0);
    EXPECT_EQ(ui.driveLabels.last(), NotFound);
}

TEST_F(DiscoveryTest, SuspendedDiscoveryLeavesTheLinkAlone)
{
    makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
    useDrives({QStringLiteral("E=e"), QStringLiteral("F=f")});
    DiscoverWristband();
    ASSERT_EQ(link().driveLetter, 'E');
    appState().link.discoverySuspended = true;
    ui.clear();

    makeFolder(QStringLiteral("f"), {QStringLiteral("20260610.txt")});
    QDir(dir.filePath(QStringLiteral("e"))).removeRecursively();
    table().rescan();
    OnVolumeArrival(1U << ('F' - 'A'));
    OnVolumeRemoval(1U << ('E' - 'A'));
    OnDeviceChange();

    EXPECT_EQ(link().driveLetter, 'E');
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(ui.driveLabels.isEmpty());
    EXPECT_EQ(ui.dataChanged, 0);
}

TEST_F(DiscoveryTest, DeviceChangeForgetsALetterThatWentAway)
{
    makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
    useDrives({QStringLiteral("E=e")});
    DiscoverWristband();
    appState().link.discoverySuspended = true; // the removal notice is not seen
    QDir(dir.filePath(QStringLiteral("e"))).removeRecursively();
    table().rescan();
    appState().link.discoverySuspended = false;
    ui.clear();

    OnDeviceChange();

    EXPECT_EQ(link().driveLetter, 0);
    EXPECT_TRUE(link().plugged);
    EXPECT_EQ(ui.dataChanged, 1);
    EXPECT_EQ(ui.refreshes, 0);
    EXPECT_EQ(ui.driveLabels, QStringList{NotFound});
}

} // namespace
} // namespace trek

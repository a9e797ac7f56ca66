// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/clockfile.h"
#include "device/discovery.h"
#include "simulatedwristbands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace trek {
namespace {

class ClockFileTest : public test::SimulatedWristbandTest
{
protected:
    void SetUp() override
    {
        SimulatedWristbandTest::SetUp();
        makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
        useDrives({QStringLiteral("E=e")});
    }
    QByteArray clockFile() const { return dir.read(QStringLiteral("e/CLOCK.TXT")); }
    WristbandSettings& settings() { return appState().wristband; }
};

TEST_F(ClockFileTest, SetupFileIsWrittenWithCrLfAndAFreshMarker)
{
    dir.write(QStringLiteral("e/USBWATCH.DAT"), QByteArray("old content"));
    const QByteArray message = QByteArray("Hello\x07 world");
    std::copy(message.begin(), message.end(), settings().message.begin());
    settings().clockCorrection = 6;

    ASSERT_TRUE(WriteSetupClockFile('E').ok());

    EXPECT_EQ(clockFile(), QByteArray("UStr=Hello world\r\nUPic=\r\nDisp=GAGJKEJAAA\r\nSped=4\r\n"
                                      "TAdj=6\r\nDate=20260610\r\nTime=143015\r\nHMod=0\r\n"));
    EXPECT_STREQ(settings().message.data(), "Hello world"); // the filtered message is kept
    EXPECT_TRUE(dir.exists(QStringLiteral("e/USBWATCH.DAT")));
    EXPECT_TRUE(dir.read(QStringLiteral("e/USBWATCH.DAT")).isEmpty());
}

TEST_F(ClockFileTest, TimeSetsKeepTheOtherLinesAndEachClockKeyOnce)
{
    dir.write(QStringLiteral("e/clock.txt"),
              "UStr=Run\r\nREM : TAdj=5\r\nDisp=GAGJKEJAAA\r\nTAdj=1\r\nHMod=0\r\n");

    ReadClockFile('E');
    EXPECT_EQ(settings().clockCorrection, 1); // the later line wins over the comment
    settings().hourMode = 1;

    ASSERT_TRUE(RewriteClockFileTime('E', -4).ok());
    pcNow = pcNow.addSecs(90);
    ASSERT_TRUE(RewriteClockFileTime('E', -5).ok());

    // The wristband's disk matches names without case: the existing file is rewritten.
    const QByteArray text = dir.read(QStringLiteral("e/clock.txt"));
    EXPECT_FALSE(dir.exists(QStringLiteral("e/CLOCK.TXT")));
    EXPECT_EQ(text, QByteArray("UStr=Run\r\nDisp=GAGJKEJAAA\r\n\r\nDate=20260610\r\n"
                               "Time=143145\r\nTAdj=-5\r\nHMod=1"));

    ReadClockFile('E');
    EXPECT_EQ(settings().clockCorrection, -5);
    EXPECT_EQ(settings().hourMode, 1);
    EXPECT_STREQ(settings().message.data(), "Run");
}

TEST_F(ClockFileTest, MissingOrUnreadableFileLeavesTheResetValues)
{
    settings().clockCorrection = 30;
    settings().displayEntries.fill(1);
    ReadClockFile('E');
    EXPECT_EQ(settings().clockCorrection, 0);
    EXPECT_EQ(settings().displayEntries, WristbandSettings::ResetDisplayEntries);

    dir.write(QStringLiteral("e/CLOCK.TXT"), "TAdj=9\n");
    ReadClockFile(0); // no drive: only the reset
    EXPECT_EQ(settings().clockCorrection, 0);
}

TEST_F(ClockFileTest, ClockFileThatCannotBeCreatedWritesNothingAndSaysWhy)
{
    // A folder in the way stands for a disk that refuses the file, even to root.
    QDir().mkpath(dir.filePath(QStringLiteral("e/CLOCK.TXT")));
    const Result<> setup = WriteSetupClockFile('E');
    const Result<> rewrite = RewriteClockFileTime('E', 3);
    ASSERT_FALSE(setup.ok());
    ASSERT_FALSE(rewrite.ok());
    EXPECT_TRUE(setup.error().contains(dir.filePath(QStringLiteral("e/CLOCK.TXT"))))
        << setup.error().toStdString();
    EXPECT_TRUE(rewrite.error().contains(QStringLiteral("a folder")))
        << rewrite.error().toStdString();
    EXPECT_FALSE(RewriteClockFileTime('G', 3).ok()); // a letter without a volume
    EXPECT_FALSE(dir.exists(QStringLiteral("e/USBWATCH.DAT")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("e/CLOCK.TXT"))).isDir());
    const QStringList left = QDir(dir.filePath(QStringLiteral("e")))
                                 .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(left, QStringList{QStringLiteral("20260609.txt")}); // no temporary left behind
}

TEST_F(ClockFileTest, ClockFileThroughALinkIsReadButNeverWrittenThrough)
{
    const QString outside = dir.write(QStringLiteral("outside/CLOCK.TXT"), "TAdj=7\r\n");
    dir.makeLink(QStringLiteral("e/CLOCK.TXT"), outside);
    ReadClockFile('E');
    EXPECT_EQ(settings().clockCorrection, 7);

    EXPECT_FALSE(RewriteClockFileTime('E', 3).ok());
    EXPECT_FALSE(WriteSetupClockFile('E').ok());
    EXPECT_EQ(dir.read(QStringLiteral("outside/CLOCK.TXT")), QByteArray("TAdj=7\r\n"));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("e/CLOCK.TXT"))).isSymLink());
    EXPECT_FALSE(dir.exists(QStringLiteral("e/USBWATCH.DAT"))); // the set-up stopped
}

TEST_F(ClockFileTest, FifoOrDanglingLinkOnTheDiskIsNeitherWaitedOnNorWrittenThrough)
{
    dir.makeFifo(QStringLiteral("e/CLOCK.TXT"));
    settings().clockCorrection = 30;
    ReadClockFile('E');
    EXPECT_EQ(settings().clockCorrection, 0);
    EXPECT_FALSE(RewriteClockFileTime('E', 3).ok());
    EXPECT_TRUE(dir.isFifo(QStringLiteral("e/CLOCK.TXT")));

    // A marker link that leads off the disk: the set-up writes its clock file, but creates
    // nothing where the link points, and fails.
    QFile::remove(dir.filePath(QStringLiteral("e/CLOCK.TXT")));
    const QString nowhere = dir.filePath(QStringLiteral("outside/USBWATCH.DAT"));
    dir.makeLink(QStringLiteral("e/USBWATCH.DAT"), nowhere);
    const Result<> setup = WriteSetupClockFile('E');
    ASSERT_FALSE(setup.ok());
    EXPECT_TRUE(setup.error().contains(QStringLiteral("USBWATCH.DAT")))
        << setup.error().toStdString();
    EXPECT_TRUE(clockFile().contains("TAdj=0\r\n"));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("e/USBWATCH.DAT"))).isSymLink());
}

class StatusBlockTest : public test::SimulatedWristbandTest
{
protected:
    void SetUp() override
    {
        SimulatedWristbandTest::SetUp();
        useDrives({QStringLiteral("F=k9e:") +
                   QFileInfo(makeImage(QStringLiteral("k9e.img"))).fileName()});
        appState().hooks.clockCheckStarted = [this] {
            events << QStringLiteral("started");
        };
        appState().hooks.clockCheckFinished = [this] {
            events << QStringLiteral("finished");
        };
        DiscoverWristband();
        ui.clear();
    }
    WristbandSettings& settings() { return appState().wristband; }
    QStringList events;
};

TEST_F(StatusBlockTest, ClockCheckMeasuresTheDriftAndTheTimeSetSendsIt)
{
    emu::PassThroughWristband& wristband = wristbandAt('F');
    const QDateTime setAt = pcNow;
    wristband.clock().setDriftSecondsPerDay(3.0);
    wristband.clock().set(setAt);
    pcNow = pcNow.addDays(10);

    ApplyStatusBlock(StatusBlockKind::ClockCheck);

    EXPECT_EQ(events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
    EXPECT_EQ(ui.statusTexts,
              (QStringList{QStringLiteral(" >> Checking ..."),
                           QStringLiteral(" >> Time Difference =        30 sec /  10 days")}));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0], QStringLiteral("Driver F:\nModel: K7E\n\n"
                                             "Last Update: 2026-06-10 14:30:15\n\n"
                                             "Current Time:2026-06-20 14:30:15\n"
                                             "Watch Time:  2026-06-20 14:30:45\n\n"
                                             "Difference:        30 sec /  10 days"));
    EXPECT_EQ(settings().clockCorrection, -3);

    settings().hourMode = 1;
    ASSERT_TRUE(SendSettingsBlock().ok());
    EXPECT_EQ(wristband.clockCorrection(), -3);
    EXPECT_TRUE(wristband.twelveHourMode());
    EXPECT_EQ(wristband.clock().now(), emu::DeviceClock::wallTime(pcNow));
}

TEST_F(StatusBlockTest, CollectionTakesTheWristbandsSettingsOver)
{
    settings().sleepMonitorOn = true;
    settings().sleepStartHour = 21;
    settings().ledPowerControl = true;
    settings().keptFlag1 = true;
    settings().scrollSpeed = 6;
    settings().displayEntries[0] = 2;
    ASSERT_TRUE(SendSettingsBlock().ok());
    ResetWristbandSettings(true);
    settings().ledPowerControl = false;
    settings().keptFlag1 = false;

    ApplyStatusBlock(StatusBlockKind::Collection);

    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(settings().sleepMonitorOn);
    EXPECT_EQ(settings().sleepStartHour, 21);
    EXPECT_TRUE(settings().ledPowerControl);
    EXPECT_TRUE(settings().keptFlag1);
    EXPECT_EQ(settings().scrollSpeed, 6);
    EXPECT_EQ(settings().displayEntries[0], 2);
}

TEST_F(StatusBlockTest, BlockWithoutTheHeaderLeavesTheResetValues)
{
    settings().clockCorrection = 44;
    settings().displayEntries.fill(3);
    // A volume that answers nothing: the block read stays zero.
    appState().link.volume = platform::InvalidDeviceHandle;

    ApplyStatusBlock(StatusBlockKind::ClockCheck);

    EXPECT_EQ(settings().clockCorrection, 0);
    EXPECT_EQ(settings().displayEntries, WristbandSettings::ResetDisplayEntries);
    EXPECT_TRUE(ui.messages.isEmpty());
    ASSERT_EQ(ui.statusTexts.size(), 2);
    EXPECT_EQ(ui.statusTexts[0], QStringLiteral(" >> Checking ..."));
    EXPECT_TRUE(ui.statusTexts[1].startsWith(
        QStringLiteral(" >> Checking failed: the wristband did not answer (error ")));
    EXPECT_EQ(events, (QStringList{QStringLiteral("started"), QStringLiteral("finished")}));
}

TEST_F(StatusBlockTest, NothingConnectedStopsBeforeTheWristbandIsAsked)
{
    appState().link.driveLetter = 0;
    settings().sleepMonitorOn = true;
    ApplyStatusBlock(StatusBlockKind::ClockCheck);
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(settings().sleepMonitorOn); // a clock check keeps the sleep monitor

    transport().clearSentRequests();
    appState().link.volume = platform::InvalidDeviceHandle;
    ApplyStatusBlock(StatusBlockKind::Collection);
    EXPECT_FALSE(settings().sleepMonitorOn);
    EXPECT_TRUE(transport().sentRequests().empty());
    EXPECT_TRUE(ui.messages.isEmpty());
}

} // namespace
} // namespace trek

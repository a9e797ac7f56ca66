// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/clockcheck.h"
#include "device/clockfile.h"
#include "device/selectdrive.h"
#include "device/timeset.h"
#include "device/vendorcommands.h"
#include "simulatedwristbands.h"

#include <QDir>
#include <QFileInfo>

namespace trek {
namespace {

const QString Unplug = QStringLiteral("Please PLUG-OUT disk to start SETUP");
const QString SetupFailed = QStringLiteral("### Setup failed ###");

class TimeSetTest : public test::SimulatedWristbandTest
{
protected:
    void SetUp() override
    {
        SimulatedWristbandTest::SetUp();
        makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
        const QString f = QFileInfo(makeImage(QStringLiteral("f.img"))).fileName();
        const QString g = QFileInfo(makeImage(QStringLiteral("g.img"))).fileName();
        useDrives(
            {QStringLiteral("E=e"), QStringLiteral("F=k9e:") + f, QStringLiteral("G=k9e:") + g});
    }
    WristbandSettings& settings() { return appState().wristband; }

    // The block the connected wristband answers now.
    std::array<std::uint8_t, RecordBlockLength> answeredBlock()
    {
        std::array<std::uint8_t, RecordBlockLength> block{};
        EXPECT_EQ(ReadSettingsBlock(appState().link.volume, block.data()), 0);
        return block;
    }

    // Gives the wristband on `letter` its own message and picture, as a PC did long ago.
    void personalise(char letter, const QByteArray& message, std::uint8_t firstLine)
    {
        ASSERT_TRUE(SelectDrive(letter).ok());
        ResetWristbandSettings(true);
        std::copy(message.begin(), message.end(), settings().message.begin());
        settings().picture[0] = firstLine;
        ASSERT_TRUE(SendSettingsBlock().ok());
    }

    bool settingsBlockSent()
    {
        const auto& sent = transport().sentRequests();
        return std::any_of(sent.begin(), sent.end(), [](const auto& request) {
            return request.cdb[0] == 0xFE && request.cdb[1] == 0x01;
        });
    }
};

TEST_F(TimeSetTest, FileModelKeepsItsLinesAndEachClockKeyOnce)
{
    dir.write(QStringLiteral("e/CLOCK.TXT"), "UStr=Run\r\nTAdj=2\r\nHMod=0\r\n");
    ASSERT_TRUE(SelectDrive('E').ok());
    EXPECT_EQ(dir.read(QStringLiteral("e/USBWATCH.DAT")).size(), 80);
    ReadClockFile('E');
    ui.clear();

    TimeSetChoice choice;
    choice.hourMode = 1;
    choice.correction = -4;
    const Result<QString> first = TimeSet(choice);
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    EXPECT_EQ(*first, Unplug);
    EXPECT_EQ(ui.messages, QStringList{Unplug});
    EXPECT_EQ(ui.statusTexts, QStringList{QString()});

    pcNow = pcNow.addSecs(90);
    ASSERT_TRUE(TimeSet({}).ok()); // no correction given: the one it was given last
    EXPECT_EQ(dir.read(QStringLiteral("e/CLOCK.TXT")),
              QByteArray("UStr=Run\r\n\r\nDate=20260610\r\nTime=143145\r\nTAdj=-4\r\nHMod=1"));
}

TEST_F(TimeSetTest, FileThatCannotBeWrittenIsAFailedSetupNeverAnUnplugRequest)
{
    QDir().mkpath(dir.filePath(QStringLiteral("e/CLOCK.TXT")));
    ASSERT_TRUE(SelectDrive('E').ok());
    ui.clear();

    const Result<QString> result = TimeSet({});

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ui.messages, QStringList{SetupFailed});
    ASSERT_EQ(ui.statusTexts.size(), 2);
    EXPECT_TRUE(ui.statusTexts[1].startsWith(
        QStringLiteral(" >> TimeSet failed: CLOCK.TXT cannot be written: ")))
        << ui.statusTexts[1].toStdString();
}

TEST_F(TimeSetTest, AutoSendsTheMeasuredCorrectionAndTheStatusShowsTheBlockSent)
{
    ASSERT_TRUE(SelectDrive('F').ok());
    emu::PassThroughWristband& wristband = wristbandAt('F');
    wristband.clock().setDriftSecondsPerDay(3.0);
    wristband.clock().set(pcNow);
    pcNow = pcNow.addDays(10);

    const Result<ClockCheckReport> check = ClockCheck();
    ASSERT_TRUE(check.ok()) << check.error().toStdString();
    EXPECT_EQ(check->clockCorrection, -3); // 30 s ahead after 10 days
    EXPECT_EQ(check->statusText, QStringLiteral(" >> Time Difference =        30 sec /  10 days"));

    ui.clear();
    const Result<QString> status = TimeSet({}); // Auto
    ASSERT_TRUE(status.ok()) << status.error().toStdString();
    EXPECT_EQ(*status, QStringLiteral(" >> TimeSet: 2026-6-20 14:30:15, (-3)"));
    EXPECT_EQ(ui.statusTexts.last(), *status);
    EXPECT_TRUE(ui.messages.isEmpty());

    const auto block = answeredBlock();
    EXPECT_EQ(*status,
              QString::asprintf(" >> TimeSet: %d-%d-%d %02d:%02d:%02d, (%d)", 2000 + block[16],
                                block[17], block[18], block[19], block[20], block[21],
                                static_cast<std::int8_t>(block[31])));
    EXPECT_EQ(wristband.clockCorrection(), -3);
}

TEST_F(TimeSetTest, MessageAndPictureStayTheWristbandsOwnAfterSelectDrive)
{
    personalise('F', "Fred", 0x41);
    personalise('G', "Gina", 0x22);
    ASSERT_TRUE(SelectDrive('F').ok());
    ApplyStatusBlock(StatusBlockKind::Collection); // what a collection of F leaves held
    ASSERT_STREQ(settings().message.data(), "Fred");

    ASSERT_TRUE(SelectDrive('G').ok());
    TimeSetChoice choice;
    choice.hourMode = 1;
    choice.correction = 7;
    choice.sleepMonitorOn = true;
    choice.sleepMonitorEveryDay = true;
    choice.sleepStart = QTime(22, 15);
    ASSERT_TRUE(TimeSet(choice).ok());

    const QByteArray g = wristbandAt('G').settings();
    EXPECT_EQ(g.mid(48, 5), QByteArray("Gina\0", 5));
    EXPECT_EQ(static_cast<std::uint8_t>(g[112]), 0x22);
    EXPECT_EQ(static_cast<std::uint8_t>(g[30]), 0x12); // the page's choices do reach it
    EXPECT_EQ(wristbandAt('G').clockCorrection(), 7);
    EXPECT_EQ(g.mid(160, 3), QByteArray("\x03\x16\x0f", 3));
    EXPECT_EQ(wristbandAt('F').settings().mid(48, 5), QByteArray("Fred\0", 5));
    EXPECT_STREQ(settings().message.data(), "Gina"); // the page now holds what was sent
}

TEST_F(TimeSetTest, UnreadableOrRefusedBlockIsReportedAndNothingElseSent)
{
    ASSERT_TRUE(SelectDrive('G').ok());
    transport().clearSentRequests();
    ui.clear();
    wristbandAt('G').failNextReads(1);

    EXPECT_FALSE(TimeSet({}).ok());
    EXPECT_FALSE(settingsBlockSent());
    EXPECT_EQ(ui.messages, QStringList{SetupFailed});
    EXPECT_TRUE(ui.statusTexts.last().startsWith(
        QStringLiteral(" >> TimeSet failed: The wristband's own settings could not be read")));

    ui.clear();
    wristbandAt('G').failNextWrites(1);
    const Result<QString> refused = TimeSet({});
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(ui.messages, QStringList{SetupFailed});
    EXPECT_TRUE(ui.statusTexts.last().startsWith(
        QStringLiteral(" >> TimeSet failed: The wristband did not take the settings block")));
    EXPECT_FALSE(wristbandAt('G').clock().lastSet().has_value());
}

TEST_F(TimeSetTest, NothingHappensWhileACollectionRuns)
{
    ASSERT_TRUE(SelectDrive('F').ok());
    transport().clearSentRequests();
    ui.clear();
    appState().link.collectingLetter = 'F';

    EXPECT_FALSE(SelectDrive('E').ok());
    EXPECT_FALSE(TimeSet({}).ok());
    EXPECT_FALSE(ClockCheck().ok());

    EXPECT_TRUE(transport().sentRequests().empty());
    EXPECT_EQ(appState().link.driveLetter, 'F');
    EXPECT_FALSE(dir.exists(QStringLiteral("e/USBWATCH.DAT")));
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(ui.driveLabels.isEmpty());
}

} // namespace
} // namespace trek

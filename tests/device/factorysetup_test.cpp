// SPDX-License-Identifier: GPL-3.0-or-later
// The factory set-up without its window, on simulated drives plugged in and out by the test.

#include "app/appstate.h"
#include "device/factorysetup.h"
#include "emulator/deviceclock.h"
#include "scratchmount.h"
#include "simulatedwristbands.h"

#include <QDir>
#include <QFileInfo>

namespace trek {
namespace {

const QString PlugIn = QStringLiteral("Plug-in DISK, Auto Setup");
const QString SetupOk = QStringLiteral(">>> Setup OK, Remove Disk <<<");
const QString SetupFailed = QStringLiteral("### Setup failed ###");

QString constructing(char letter)
{
    return QStringLiteral("Disk-%1 Constructing ... ...").arg(QChar::fromLatin1(letter));
}

class FactorySetupTest : public test::SimulatedWristbandTest
{
protected:
    // The controller, with every status text it shows and every count it reaches recorded.
    FactorySetup& start(PreCopySettings preCopy = {})
    {
        m_setup = std::make_unique<FactorySetup>(std::move(preCopy));
        QObject::connect(m_setup.get(), &FactorySetup::stageChanged,
                         [this] { shown << m_setup->StatusText(); });
        QObject::connect(m_setup.get(), &FactorySetup::succeeded,
                         [this](int count) { counts << count; });
        return *m_setup;
    }
    // A fresh file-model wristband: only its marker.
    void plugFolder(const QString& name) { makeFolder(name, {QStringLiteral("USBWATCH.DAT")}); }
    void unplugFolder(const QString& name)
    {
        QDir(dir.filePath(name)).removeRecursively();
        table().rescan();
    }
    void TearDown() override
    {
        m_setup.reset();
        SimulatedWristbandTest::TearDown();
    }

    QStringList shown;
    QList<int> counts;

private:
    std::unique_ptr<FactorySetup> m_setup;
};

TEST_F(FactorySetupTest, WristbandsAreSetUpOneAtATimeAsTheyArePluggedIn)
{
    plugFolder(QStringLiteral("e"));
    useDrives({QStringLiteral("E=e"), QStringLiteral("F=f")});
    FactorySetup& setup = start();

    // One plugged in before the set-up opened waits for a device change.
    table().rescan();
    EXPECT_FALSE(dir.exists(QStringLiteral("e/CLOCK.TXT")));
    setup.Run();
    EXPECT_EQ(shown, (QStringList{constructing('E'), SetupOk}));
    EXPECT_EQ(counts, QList<int>{1});
    EXPECT_EQ(dir.read(QStringLiteral("e/CLOCK.TXT")),
              QByteArray("UStr=\r\nUPic=\r\nDisp=GAGJKEJAAA\r\nSped=4\r\nTAdj=0\r\n"
                         "Date=20260610\r\nTime=143015\r\nHMod=0\r\n"));
    EXPECT_TRUE(setup.Busy());

    // A second one beside it, and then the first one out: neither is a new wristband yet.
    plugFolder(QStringLiteral("f"));
    table().rescan();
    unplugFolder(QStringLiteral("e"));
    EXPECT_EQ(shown.size(), 2);
    EXPECT_FALSE(dir.exists(QStringLiteral("f/CLOCK.TXT")));

    unplugFolder(QStringLiteral("f"));
    EXPECT_EQ(shown.last(), PlugIn);
    EXPECT_FALSE(setup.Busy());
    pcNow = pcNow.addSecs(60);
    plugFolder(QStringLiteral("f"));
    table().rescan();
    EXPECT_EQ(shown.mid(2), (QStringList{PlugIn, constructing('F'), SetupOk}));
    EXPECT_EQ(counts, (QList<int>{1, 2}));
    EXPECT_TRUE(dir.read(QStringLiteral("f/CLOCK.TXT")).contains("Time=143115\r\n"));

    // Plugged in again, the first one is set up anew.
    unplugFolder(QStringLiteral("f"));
    plugFolder(QStringLiteral("e"));
    table().rescan();
    EXPECT_EQ(counts, (QList<int>{1, 2, 3}));
    EXPECT_EQ(setup.CurrentLetter(), 'E');
}

TEST_F(FactorySetupTest, WristbandWithoutALetterTakesTheBlockAndAFailedSendIsNoSetUp)
{
    makeImage(QStringLiteral("star.img"));
    useDrives({QStringLiteral("*=k9e:star.img")});
    FactorySetup& setup = start();
    appState().wristband.hourMode = 1;
    setup.Run();
    EXPECT_EQ(shown, (QStringList{constructing('*'), SetupOk}));
    EXPECT_EQ(starWristband().clock().now(), emu::DeviceClock::wallTime(pcNow));
    EXPECT_TRUE(starWristband().twelveHourMode());

    // Out and in again, and pulled out while the window's events run: the block goes nowhere.
    shown.clear();
    table().unplug(0);
    ui.onPump = [this] {
        ui.onPump = nullptr;
        table().unplug(0);
    };
    table().plugIn(0);
    // The removal seen during the set-up is handled after it, not in the middle of it.
    EXPECT_EQ(shown, (QStringList{PlugIn, constructing('*'), SetupFailed, PlugIn}));
    EXPECT_EQ(counts, QList<int>{1});
    EXPECT_TRUE(setup.LastError().contains(QStringLiteral("settings block")))
        << setup.LastError().toStdString();
}

TEST_F(FactorySetupTest, ReadOnlyDriveIsAFailedSetUp)
{
    plugFolder(QStringLiteral("e"));
    test::ScratchMount disk(QStringLiteral("1M"), dir.filePath(QStringLiteral("e")));
    if (!disk.mounted()) {
        GTEST_SKIP() << disk.error().toStdString();
    }
    QFile marker(disk.filePath(QStringLiteral("USBWATCH.DAT")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    ASSERT_TRUE(disk.remountReadOnly()) << disk.error().toStdString();
    useDrives({QStringLiteral("E=e")});
    FactorySetup& setup = start();

    setup.Run();
    EXPECT_EQ(shown, (QStringList{constructing('E'), SetupFailed}));
    EXPECT_TRUE(counts.isEmpty());
    EXPECT_EQ(setup.Count(), 0);
    EXPECT_TRUE(setup.LastError().startsWith(QStringLiteral("Writing CLOCK.TXT")) &&
                setup.LastError().endsWith(QStringLiteral("Read-only file system")))
        << setup.LastError().toStdString();
    // It stays failed, without a second try, until it is taken out.
    setup.Run();
    EXPECT_EQ(shown.size(), 2);
}

TEST_F(FactorySetupTest, PreCopyFolderGoesOntoEveryWristbandOrFailsTheSetUp)
{
    dir.write(QStringLiteral("pre/voice/hello.wav"), "hello");
    dir.write(QStringLiteral("pre/readme.txt"), "read me");
    useDrives({QStringLiteral("E=e")});
    appState().workingFolder = dir.path(); // a relative folder is taken in the working folder

    start({true, QStringLiteral("pre")}).Run(); // nothing plugged in yet
    plugFolder(QStringLiteral("e"));
    table().rescan();
    EXPECT_EQ(counts, QList<int>{1});
    EXPECT_EQ(dir.read(QStringLiteral("e/voice/hello.wav")), QByteArray("hello"));
    EXPECT_EQ(dir.read(QStringLiteral("e/readme.txt")), QByteArray("read me"));

    // Each case with a fresh controller, and the wristband plugged in again.
    const auto replug = [this](const QString& path) -> FactorySetup& {
        unplugFolder(QStringLiteral("e"));
        counts.clear();
        FactorySetup& setup = start({true, path});
        plugFolder(QStringLiteral("e"));
        table().rescan();
        return setup;
    };
    const auto failure = [&](const QString& path) {
        const FactorySetup& setup = replug(path);
        EXPECT_TRUE(counts.isEmpty()) << path.toStdString();
        EXPECT_EQ(setup.Stage(), FactoryStage::Failed);
        return setup.LastError();
    };
    EXPECT_TRUE(failure(dir.filePath(QStringLiteral("missing")))
                    .contains(dir.filePath(QStringLiteral("missing"))));

    // Never cut to a folder nobody configured; refused before anything is written.
    const QString tooLong = dir.filePath(QString(MaxPreCopyPathLength, u'x'));
    EXPECT_TRUE(failure(tooLong).contains(QStringLiteral("more than the 255")));
    EXPECT_FALSE(dir.exists(QStringLiteral("e/CLOCK.TXT")));

    // Switched on with no folder: nothing to copy, and the set-up succeeds.
    replug(QString());
    EXPECT_EQ(counts, QList<int>{1});
}

} // namespace
} // namespace trek

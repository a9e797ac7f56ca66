// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/startup.h"
#include "appfixture.h"
#include "backends/linux/systemservices_linux.h"
#include "tempdir.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

using trek::appState;
using trek::test::AppFixture;
using trek::test::TempDir;

namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

TEST(WorkingFolder, DropsOneTrailingSeparatorExceptTheRoots)
{
    EXPECT_EQ(trek::TrimWorkingFolder(s("/home/ann/")), s("/home/ann"));
    EXPECT_EQ(trek::TrimWorkingFolder(s("/home/ann")), s("/home/ann"));
    EXPECT_EQ(trek::TrimWorkingFolder(s("/home/ann//")), s("/home/ann/"));
    EXPECT_EQ(trek::TrimWorkingFolder(s("/")), s("/"));
    EXPECT_EQ(trek::TrimWorkingFolder(s("C:/")), s("C:/"));
    const QString deep = s("/") + QString(300, u'd');
    EXPECT_EQ(trek::TrimWorkingFolder(deep + u'/'), deep); // never cut short

    EXPECT_EQ(trek::SettingsFilePath(s("/")), s("/Trekkomat2.INI"));
    EXPECT_EQ(trek::SettingsFilePath(s("/home/ann")), s("/home/ann/Trekkomat2.INI"));
}

using Startup = AppFixture;

TEST_F(Startup, InitialisesThePathsPlatformAndUpdateFlag)
{
    system.setPlatformGeneration(7);
    appState().updateReady = true;
    trek::InitialiseStartupValues(s("/"));
    EXPECT_EQ(appState().workingFolder, s("/"));
    EXPECT_EQ(appState().settingsPath, s("/Trekkomat2.INI"));
    EXPECT_EQ(appState().platformGeneration, 7);
    EXPECT_FALSE(appState().updateReady);
}

using UpdaterHandOver = AppFixture;

TEST_F(UpdaterHandOver, StartsNothingWithoutAnUpdateOrWithUpgradesOff)
{
    const TempDir dir;
    trek::InitialiseStartupValues(dir.path() + u'/');
    EXPECT_FALSE(trek::HandOverToUpdater("image", s("/opt/k7/trekkomat")));

    appState().updateReady = true;
    appState().values.enableUpgrade = false;
    EXPECT_FALSE(trek::HandOverToUpdater("image", s("/opt/k7/trekkomat")));

    EXPECT_TRUE(system.startedPrograms().isEmpty());
    EXPECT_FALSE(dir.exists(s("tmp")));
}

TEST_F(UpdaterHandOver, WritesTheImageReplacingAnOldOneAndStartsIt)
{
    const TempDir dir;
    dir.write(s("tmp/TrekkomatUpdater.BIN"), QByteArray(30000, 'o'));
    trek::InitialiseStartupValues(dir.path());
    appState().updateReady = true;

    const QByteArray image(20480, 'u');
    ASSERT_TRUE(trek::HandOverToUpdater(image, s("/opt/k7/trekkomat")));
    const QString program = dir.filePath(s("tmp/TrekkomatUpdater.BIN"));
    EXPECT_EQ(dir.read(s("tmp/TrekkomatUpdater.BIN")), image);
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    ASSERT_EQ(system.startedPrograms().size(), 1);
    EXPECT_EQ(system.startedPrograms()[0].program, program);
    // The program it runs from, not a file of its name in the working folder.
    EXPECT_EQ(system.startedPrograms()[0].arguments,
              (QStringList{s("/opt/k7/trekkomat"), dir.filePath(s("tmp/Trekkomat_K7_TMP.BIN"))}));
}

TEST_F(UpdaterHandOver, StartsNothingWhenTheFileCannotBeWritten)
{
    const TempDir dir;
    trek::InitialiseStartupValues(dir.path());
    appState().updateReady = true;

    // A folder where the program file should go.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(s("tmp/TrekkomatUpdater.BIN"))));
    EXPECT_FALSE(trek::HandOverToUpdater("image", s("/opt/k7/trekkomat")));

    // A file where the folder should go.
    const TempDir other;
    other.write(s("tmp"), "not a folder");
    trek::InitialiseStartupValues(other.path());
    appState().updateReady = true;
    EXPECT_FALSE(trek::HandOverToUpdater("image", s("/opt/k7/trekkomat")));
    EXPECT_EQ(other.read(s("tmp")), QByteArray("not a folder"));

    // Starting fails: reported, not hidden.
    const TempDir third;
    trek::InitialiseStartupValues(third.path());
    appState().updateReady = true;
    system.setStartSucceeds(false);
    EXPECT_FALSE(trek::HandOverToUpdater("image", s("/opt/k7/trekkomat")));

    EXPECT_EQ(system.startedPrograms().size(), 1); // only the last one got as far as starting
}

TEST_F(UpdaterHandOver, RealStandInProgramRuns)
{
    trek::platform::LinuxSystemServices realSystem;
    trek::appState().services.system = &realSystem;
    const TempDir dir;
    const QString marker = dir.filePath(s("started"));
    trek::InitialiseStartupValues(dir.path());
    appState().updateReady = true;

    const QByteArray script = "#!/bin/sh\necho started > '" + QFile::encodeName(marker) + "'\n";
    ASSERT_TRUE(trek::HandOverToUpdater(script, s("/opt/k7/trekkomat")));
    const QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(marker) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    QThread::msleep(50); // let the line be written
    EXPECT_EQ(dir.read(s("started")), QByteArray("started\n"));
}

// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli factory as an operator's script runs it: wristbands (simulated drives) plugged in
// and out while the command waits for them.

#include "support/runningcli.h"
#include "support/tempdir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QString PlugIn = QStringLiteral("Plug-in DISK, Auto Setup\n");

class FactoryEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { QDir().mkpath(dir.filePath(QStringLiteral("work"))); }

    void start(const QStringList& arguments)
    {
        const QStringList all{
            QStringLiteral("--workdir"), dir.filePath(QStringLiteral("work")),
            QStringLiteral("--drive"),   QStringLiteral("E=") + disk(QStringLiteral("e")),
            QStringLiteral("--drive"),   QStringLiteral("F=") + disk(QStringLiteral("f")),
            QStringLiteral("factory")};
        m_cli.start(all + arguments);
    }
    bool waitFor(const QString& text, int times = 1) { return m_cli.waitFor(text, times); }
    int finish()
    {
        const int status = m_cli.finish();
        out = m_cli.out;
        err = m_cli.err;
        return status;
    }

    QString disk(const QString& name) const { return dir.filePath(name); }
    void plug(const QString& name) const { dir.write(name + QStringLiteral("/USBWATCH.DAT"), {}); }
    void unplug(const QString& name) const { QDir(disk(name)).removeRecursively(); }

    test::TempDir dir;
    QString out;
    QString err;

private:
    test::RunningCli m_cli;
};

TEST_F(FactoryEndToEnd, CountsEveryWristbandPluggedInAndEndsAfterTheLast)
{
    start({QStringLiteral("--count"), QStringLiteral("3"), QStringLiteral("--timeout"),
           QStringLiteral("60")});
    ASSERT_TRUE(waitFor(PlugIn));
    plug(QStringLiteral("e"));
    ASSERT_TRUE(waitFor(QStringLiteral("count\t1\n")));
    unplug(QStringLiteral("e"));
    ASSERT_TRUE(waitFor(PlugIn, 2));
    plug(QStringLiteral("e")); // the same one again
    ASSERT_TRUE(waitFor(QStringLiteral("count\t2\n")));
    unplug(QStringLiteral("e"));
    ASSERT_TRUE(waitFor(PlugIn, 3));
    plug(QStringLiteral("f"));

    EXPECT_EQ(finish(), 0) << err.toStdString();
    const QString done = QStringLiteral(">>> Setup OK, Remove Disk <<<\n");
    EXPECT_EQ(out, PlugIn + QStringLiteral("Disk-E Constructing ... ...\n") + done +
                       QStringLiteral("count\t1\n") + PlugIn +
                       QStringLiteral("Disk-E Constructing ... ...\n") + done +
                       QStringLiteral("count\t2\n") + PlugIn +
                       QStringLiteral("Disk-F Constructing ... ...\n") + done +
                       QStringLiteral("count\t3\n"));
    EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    EXPECT_TRUE(dir.read(QStringLiteral("f/CLOCK.TXT")).startsWith("UStr=\r\nUPic=\r\n"));
}

TEST_F(FactoryEndToEnd, MissingPreCopyFolderFailsTheFirstWristband)
{
    const QString missing = dir.filePath(QStringLiteral("missing"));
    dir.write(QStringLiteral("work/Trekkomat2.INI"),
              QStringLiteral("[PreCopy]\r\nEnable=1\r\nPath=%1\r\n").arg(missing).toUtf8());
    start({QStringLiteral("--count"), QStringLiteral("2")});
    ASSERT_TRUE(waitFor(PlugIn));
    plug(QStringLiteral("e"));

    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(out, PlugIn + QStringLiteral("Disk-E Constructing ... ...\n### Setup failed ###\n"));
    EXPECT_EQ(err, QStringLiteral("The set-up of Disk-E failed: Cannot list %1/: No such file or "
                                  "directory\n")
                       .arg(missing));
}

TEST_F(FactoryEndToEnd, TimeRunsOutInTheSettingsLanguageAndBadCountsAreRefused)
{
    dir.write(QStringLiteral("work/Trekkomat2.INI"), "[Advance]\r\nLanguage=1\r\n");
    start({QStringLiteral("--timeout"), QStringLiteral("1")});
    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(out, QStringLiteral("插入磁碟，自動設定\n"));
    EXPECT_EQ(err, QStringLiteral("0 of 1 wristbands were set up in 1 seconds.\n"));

    out.clear();
    start({QStringLiteral("--count"), QStringLiteral("0")});
    EXPECT_EQ(finish(), 2);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(err.isEmpty());
}

} // namespace
} // namespace trek

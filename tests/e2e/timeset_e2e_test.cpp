// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli timeset, clockcheck and the emulated wristband's clock, with the PC's clock
// frozen by --now so that every byte written and every line printed is exact.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QString Now = QStringLiteral("2026-06-10 14:30:15");

class TimeSetCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(dir.filePath(QStringLiteral("work")));
        dir.write(QStringLiteral("disk/20260609.txt"), "1");
        dir.write(QStringLiteral("disk/CLOCK.TXT"), "UStr=Walk\r\nTAdj=2\r\nHMod=0\r\n");
    }

    CliRun run(const QStringList& arguments, const QString& zone = {}) const
    {
        QProcessEnvironment environment;
        if (!zone.isEmpty()) {
            environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("TZ"), zone);
        }
        // The wristbands are named relative to the test folder.
        return RunCli(QStringLiteral("work"), arguments, environment, dir.path());
    }

    // An emulated K9E wristband whose clock reads `watch` at `now`, last set at `lastSet`.
    void makeWristband(const QString& now, const QString& watch, const QString& lastSet)
    {
        ASSERT_EQ(run({QStringLiteral("emulate"), QStringLiteral("make-image"),
                       QStringLiteral("k9e"), QStringLiteral("band.img"), QStringLiteral("--days"),
                       QStringLiteral("2"), QStringLiteral("--end"), QStringLiteral("2026-03-01")})
                      .exitCode,
                  0);
        const CliRun set = run({QStringLiteral("--now"), now, QStringLiteral("emulate"),
                                QStringLiteral("set-clock"), QStringLiteral("band.img"),
                                QStringLiteral("--watch"), watch, QStringLiteral("--last-set"),
                                lastSet, QStringLiteral("--correction"), QStringLiteral("0")},
                               m_zone);
        ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    }

    CliRun onBand(const QString& now, QStringList arguments) const
    {
        return run(QStringList{QStringLiteral("--now"), now, QStringLiteral("--drive"),
                               QStringLiteral("F=k9e:band.img")} +
                       arguments,
                   m_zone);
    }

    test::TempDir dir;
    QString m_zone;
};

TEST_F(TimeSetCommands, FileModelGetsItsClockFileAndNothingIsCollected)
{
    const QStringList disk{QStringLiteral("--drive"), QStringLiteral("E=disk")};
    const CliRun first = run(QStringList{QStringLiteral("--now"), Now} + disk +
                             QStringList{QStringLiteral("timeset"), QStringLiteral("--hour-mode"),
                                         QStringLiteral("12"), QStringLiteral("--correction"),
                                         QStringLiteral("-4")});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.lines, QStringList{QStringLiteral("Please PLUG-OUT disk to start SETUP")});
    EXPECT_TRUE(first.err.isEmpty()) << first.err.toStdString();

    // The second time in the settings file's language, keeping what the first one set.
    dir.write(QStringLiteral("work/Trekkomat2.INI"), "[Advance]\nLanguage=1\n");
    const CliRun second =
        run(QStringList{QStringLiteral("--now"), QStringLiteral("2026-06-10 14:31:45")} + disk +
            QStringList{QStringLiteral("timeset")});
    EXPECT_EQ(second.lines, QStringList{QStringLiteral(u"請拔除磁碟以開始設定")});
    EXPECT_EQ(dir.read(QStringLiteral("disk/CLOCK.TXT")),
              QByteArray("UStr=Walk\r\n\r\nDate=20260610\r\nTime=143145\r\nTAdj=-4\r\nHMod=1"));
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20260609.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("work/Data")));
}

TEST_F(TimeSetCommands, ClockFileThatCannotBeWrittenFailsTheCommand)
{
    QFile::remove(dir.filePath(QStringLiteral("disk/CLOCK.TXT")));
    QDir().mkpath(dir.filePath(QStringLiteral("disk/CLOCK.TXT")));
    const CliRun failed = run({QStringLiteral("--now"), Now, QStringLiteral("--drive"),
                               QStringLiteral("E=disk"), QStringLiteral("timeset")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.lines.isEmpty());
    EXPECT_TRUE(failed.err.startsWith(QStringLiteral("CLOCK.TXT cannot be written: ")))
        << failed.err.toStdString();
    EXPECT_EQ(failed.err.count(u'\n'), 1);

    const CliRun noClock =
        run({QStringLiteral("--drive"), QStringLiteral("E=disk"), QStringLiteral("clockcheck")});
    EXPECT_EQ(noClock.exitCode, 1);
    EXPECT_EQ(noClock.err,
              QStringLiteral("A file-model wristband has no clock the PC can read.\n"));
}

TEST_F(TimeSetCommands, ClockCheckTimeSetAndTheClockRunningOnBetweenRuns)
{
    makeWristband(Now, QStringLiteral("2026-06-10 14:30:45"),
                  QStringLiteral("2026-05-31 14:30:15"));

    const CliRun check = onBand(Now, {QStringLiteral("clockcheck")});
    EXPECT_EQ(check.exitCode, 0) << check.err.toStdString();
    EXPECT_EQ(check.lines,
              (QStringList{QStringLiteral(" >> Time Difference =        30 sec /  10 days"),
                           QStringLiteral("Driver F: | Model: K7E |  | Last Update: 2026-05-31 "
                                          "14:30:15 |  | Current Time:2026-06-10 14:30:15 | "
                                          "Watch Time:  2026-06-10 14:30:45 |  | Difference:   "
                                          "     30 sec /  10 days"),
                           QStringLiteral("correction\t-3")}));

    const CliRun set = onBand(Now, {QStringLiteral("timeset")});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.lines, QStringList{QStringLiteral(" >> TimeSet: 2026-6-10 14:30:15, (-3)")});

    // Bytes 16 to 21 are the clock the status line told, 31 the correction.
    const CliRun shown = run({QStringLiteral("--now"), Now, QStringLiteral("emulate"),
                              QStringLiteral("show"), QStringLiteral("band.img")});
    ASSERT_EQ(shown.lines.size(), 16);
    EXPECT_EQ(shown.lines[0], QStringLiteral("47 61 69 74 72 6F 6E 69 78 20 4B 37 45 20 56 31"));
    EXPECT_EQ(shown.lines[1], QStringLiteral("1A 06 0A 0E 1E 0F 00 00 1A 06 0A 0E 1E 0F 24 FD"));

    // Ten days on, the wristband (which keeps time) ran 3 s a day slow under its correction.
    const CliRun later =
        onBand(QStringLiteral("2026-06-20 14:30:15"), {QStringLiteral("clockcheck")});
    EXPECT_EQ(later.lines.value(0),
              QStringLiteral(" >> Time Difference =       -30 sec /  10 days"));
    EXPECT_EQ(later.lines.value(2), QStringLiteral("correction\t0"));
}

TEST_F(TimeSetCommands, DaylightSavingChangeIsNotDrift)
{
    m_zone = QStringLiteral("Europe/Berlin");
    const QString now = QStringLiteral("2026-04-05 12:00:00");
    // Set in winter time; the wristband ran 16 days less the skipped hour and gained 30 s.
    makeWristband(now, QStringLiteral("2026-04-05 11:00:30"),
                  QStringLiteral("2026-03-20 12:00:00"));
    const CliRun check = onBand(now, {QStringLiteral("clockcheck")});
    EXPECT_EQ(check.lines.value(0),
              QStringLiteral(" >> Time Difference =        30 sec /  16 days"));
    EXPECT_EQ(check.lines.value(2), QStringLiteral("correction\t-1"));
}

TEST_F(TimeSetCommands, WrongArgumentsChangeNothing)
{
    makeWristband(Now, Now, Now);
    const QByteArray state = dir.read(QStringLiteral("band.img.state"));
    const QList<QStringList> wrong{
        {QStringLiteral("--drive"), QStringLiteral("E=disk"), QStringLiteral("timeset"),
         QStringLiteral("--correction"), QStringLiteral("150")},
        {QStringLiteral("--drive"), QStringLiteral("E=disk"), QStringLiteral("timeset"),
         QStringLiteral("--letter"), QStringLiteral("C")},
        {QStringLiteral("--drive"), QStringLiteral("E=disk"), QStringLiteral("timeset"),
         QStringLiteral("--sleep-start"), QStringLiteral("25:00")},
        {QStringLiteral("--now"), QStringLiteral("2026-13-01 00:00:00"), QStringLiteral("--drive"),
         QStringLiteral("E=disk"), QStringLiteral("timeset")},
        {QStringLiteral("emulate"), QStringLiteral("set-clock"), QStringLiteral("band.img"),
         QStringLiteral("--watch"), Now, QStringLiteral("--last-set"), Now,
         QStringLiteral("--never-set")},
        {QStringLiteral("emulate"), QStringLiteral("set-clock"), QStringLiteral("band.img"),
         QStringLiteral("--watch"), Now, QStringLiteral("--correction"), QStringLiteral("auto")},
    };
    for (const QStringList& arguments : wrong) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(refused.lines.isEmpty());
        EXPECT_EQ(refused.err.count(u'\n'), 1) << refused.err.toStdString();
    }
    EXPECT_EQ(dir.read(QStringLiteral("disk/CLOCK.TXT")),
              QByteArray("UStr=Walk\r\nTAdj=2\r\nHMod=0\r\n"));
    EXPECT_FALSE(dir.exists(QStringLiteral("disk/USBWATCH.DAT")));
    EXPECT_EQ(dir.read(QStringLiteral("band.img.state")), state);
}

} // namespace
} // namespace trek

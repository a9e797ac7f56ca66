// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli watch as the user service runs it: wristbands (simulated drives) come and go
// while it waits, and the service manager stops it, also in the middle of a collection.

#include "emulator/filemodelwristband.h"
#include "emulator/recordgenerator.h"
#include "support/runningcli.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>

namespace trek {
namespace {

class WatchEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { QDir().mkpath(work()); }

    QString work() const { return dir.filePath(QStringLiteral("work")); }
    QString drive(char letter = 'E') const
    {
        return dir.filePath(QStringLiteral("drive") + QChar::fromLatin1(letter));
    }
    QString away(char letter = 'E') const
    {
        return dir.filePath(QStringLiteral("away") + QChar::fromLatin1(letter));
    }
    void start(const QString& letters = QStringLiteral("E"))
    {
        QStringList arguments{QStringLiteral("--workdir"), work()};
        for (const QChar letter : letters) {
            arguments << QStringLiteral("--drive")
                      << QString(letter) + u'=' + drive(letter.toLatin1());
        }
        cli.start(arguments << QStringLiteral("watch"));
    }
    // A wristband with `days` days up to `lastDay` appears in the drive at once, as a mount
    // does; answers its steps.
    qint64 plug(int days, const QDate& lastDay, char letter = 'E')
    {
        const QString made = dir.filePath(QStringLiteral("made"));
        const emu::StepHistory history = emu::RecordGenerator(days).generate(days, lastDay);
        EXPECT_EQ(emu::FileModelWristband(made).makeDisk(history, emu::DayFileKind::Text),
                  QString());
        EXPECT_TRUE(QDir().rename(made, drive(letter)));
        qint64 steps = 0;
        for (const emu::DaySteps& day : history) {
            steps += day.total();
        }
        return steps;
    }
    void unplug(char letter = 'E') const
    {
        EXPECT_TRUE(QDir().rename(drive(letter), away(letter)));
    }
    QString settings() const
    {
        QFile file(work() + QStringLiteral("/Trekkomat2.INI"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    test::TempDir dir;
    test::RunningCli cli;
};

TEST_F(WatchEndToEnd, CollectsEveryWristbandOnceAsItComesAndEndsAtTheStopSignal)
{
    start();
    ASSERT_TRUE(cli.waitFor(QStringLiteral("watching\t") + work() + u'\n'));
    const qint64 first = plug(3, QDate(2026, 12, 7));
    const QString firstCollected = QStringLiteral("collected\tE\t%1\n").arg(first);
    ASSERT_TRUE(cli.waitFor(firstCollected)) << cli.out.toStdString();
    unplug();
    ASSERT_TRUE(cli.waitFor(QStringLiteral("removed\tE\n")));
    // Another wristband in the same drive, with days of its own.
    QDir(away()).removeRecursively();
    const qint64 second = plug(5, QDate(2026, 11, 20));
    const QString secondCollected = QStringLiteral("collected\tE\t%1\n").arg(second);
    ASSERT_TRUE(cli.waitFor(secondCollected)) << cli.out.toStdString();
    cli.signal(SIGTERM);

    EXPECT_EQ(cli.finish(), 0) << cli.err.toStdString();
    EXPECT_EQ(cli.out, QStringLiteral("watching\t") + work() + QStringLiteral("\nfound\tE\n") +
                           firstCollected + QStringLiteral("removed\tE\nfound\tE\n") +
                           secondCollected + QStringLiteral("stopped\n"));
    EXPECT_TRUE(settings().contains(QStringLiteral("TotalSteps=%1").arg(first + second)));
    EXPECT_EQ(QDir(drive()).entryList({QStringLiteral("20??????.txt")}, QDir::Files),
              QStringList());
}

TEST_F(WatchEndToEnd, TellsEveryWristbandThatLeavesAndOneBackWithNothingNewIsUnchanged)
{
    start(QStringLiteral("EF"));
    ASSERT_TRUE(cli.waitFor(QStringLiteral("watching\t") + work() + u'\n'));
    const qint64 first = plug(3, QDate(2026, 12, 7), 'E');
    const QString firstCollected = QStringLiteral("collected\tE\t%1\n").arg(first);
    ASSERT_TRUE(cli.waitFor(firstCollected)) << cli.out.toStdString();
    const qint64 second = plug(2, QDate(2026, 11, 20), 'F');
    const QString secondCollected = QStringLiteral("collected\tF\t%1\n").arg(second);
    ASSERT_TRUE(cli.waitFor(secondCollected)) << cli.out.toStdString();
    // The one found first leaves while the other stays.
    unplug('E');
    ASSERT_TRUE(cli.waitFor(QStringLiteral("removed\tE\n"))) << cli.out.toStdString();
    // Back with its day files taken: nothing new.
    EXPECT_TRUE(QDir().rename(away('E'), drive('E')));
    ASSERT_TRUE(cli.waitFor(QStringLiteral("unchanged\tE\n"))) << cli.out.toStdString();
    cli.signal(SIGTERM);

    EXPECT_EQ(cli.finish(), 0) << cli.err.toStdString();
    EXPECT_EQ(cli.out, QStringLiteral("watching\t") + work() + QStringLiteral("\nfound\tE\n") +
                           firstCollected + QStringLiteral("found\tF\n") + secondCollected +
                           QStringLiteral("removed\tE\nfound\tE\nunchanged\tE\nstopped\n"));
}

TEST_F(WatchEndToEnd, AStopDuringACollectionLetsItFinishFirst)
{
    const qint64 steps = plug(400, QDate(2026, 12, 7));
    start();
    ASSERT_TRUE(cli.waitFor(QStringLiteral("found\tE\n")));
    cli.signal(SIGTERM);
    cli.signal(SIGINT); // an impatient second request changes nothing

    EXPECT_EQ(cli.finish(), 0) << cli.err.toStdString();
    EXPECT_TRUE(
        cli.out.endsWith(QStringLiteral("found\tE\ncollected\tE\t%1\nstopped\n").arg(steps)))
        << cli.out.toStdString();
    EXPECT_TRUE(settings().contains(QStringLiteral("TotalSteps=%1").arg(steps)));
    EXPECT_EQ(QDir(work()).entryList({QStringLiteral("*.journal")}), QStringList());
}

} // namespace
} // namespace trek

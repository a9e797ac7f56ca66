// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tool as its users run it: emulated wristbands made by the tool itself,
// collected through simulated drives, read back as CSV.

#include "emulator/recordgenerator.h"
#include "support/tempdir.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>
#include <map>

namespace trek {
namespace {

struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun RunCli(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(TREK_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << arguments.join(u' ').toStdString();
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Steps per minute ("YYYY-MM-DD HH:MM") of a CSV export, without its header.
std::map<QString, int> CsvMinutes(const QString& csv)
{
    std::map<QString, int> minutes;
    const QStringList lines = csv.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.value(0), QStringLiteral("minute,steps"));
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(u',');
        EXPECT_EQ(fields.size(), 2) << lines[i].toStdString();
        minutes[fields.value(0)] = fields.value(1).toInt();
    }
    return minutes;
}

std::map<QString, int> GeneratedMinutes(const emu::StepHistory& history)
{
    std::map<QString, int> minutes;
    for (const emu::DaySteps& day : history) {
        for (int m = 0; m < emu::DaySteps::MinutesPerDay; ++m) {
            if (day.minutes[static_cast<std::size_t>(m)] != 0) {
                minutes[day.date.toString(QStringLiteral("yyyy-MM-dd")) +
                        QString::asprintf(" %02d:%02d", m / 60, m % 60)] =
                    day.minutes[static_cast<std::size_t>(m)];
            }
        }
    }
    return minutes;
}

int Sum(const std::map<QString, int>& minutes)
{
    int total = 0;
    for (const auto& entry : minutes) {
        total += entry.second;
    }
    return total;
}

class CliEndToEnd : public ::testing::Test
{
protected:
    QString work() const { return dir.filePath(QStringLiteral("work")); }
    QString disk() const { return dir.filePath(QStringLiteral("disk")); }
    void SetUp() override { QDir().mkpath(work()); }
    test::TempDir dir;
};

TEST_F(CliEndToEnd, KdxDiskArrivesMinuteForMinuteInTheStore)
{
    const CliRun made =
        RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"), disk(),
                QStringLiteral("--days"), QStringLiteral("3"), QStringLiteral("--kind"),
                QStringLiteral("kdx"), QStringLiteral("--seed"), QStringLiteral("5"),
                QStringLiteral("--end"), QStringLiteral("2024-03-01")});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();

    const CliRun collected = RunCli({QStringLiteral("--workdir"), work(), QStringLiteral("--drive"),
                                     QStringLiteral("E=") + disk(), QStringLiteral("collect")});
    ASSERT_EQ(collected.exitCode, 0) << collected.err.toStdString();
    EXPECT_TRUE(collected.out.contains(QStringLiteral(" >>> Collecting E: Complete <<<")));
    EXPECT_EQ(QDir(disk()).entryList({QStringLiteral("*.KDX")}, QDir::Files).size(), 0);
    EXPECT_EQ(QDir(work() + QStringLiteral("/Trekkomat2")).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(QFile::exists(work() + QStringLiteral("/Data/Stepo202402.BIN")));
    EXPECT_TRUE(QFile::exists(work() + QStringLiteral("/Data/Stepo202403.BIN")));

    const CliRun exported = RunCli(
        {QStringLiteral("--workdir"), work(), QStringLiteral("export"), QStringLiteral("csv")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const auto expected = GeneratedMinutes(emu::RecordGenerator(5).generate(3, QDate(2024, 3, 1)));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(CsvMinutes(exported.out), expected);
    // The lines come in time order; the map above would hide a shuffle.
    QStringList lines = exported.out.split(u'\n', Qt::SkipEmptyParts).mid(1);
    QStringList sorted = lines;
    sorted.sort();
    EXPECT_EQ(lines, sorted);

    const CliRun range =
        RunCli({QStringLiteral("--workdir"), work(), QStringLiteral("export"),
                QStringLiteral("csv"), QStringLiteral("--from"), QStringLiteral("2024-02-29"),
                QStringLiteral("--to"), QStringLiteral("2024-02-29"), QStringLiteral("--all")});
    EXPECT_EQ(range.out.count(u'\n'), 1 + 1440);
}

TEST_F(CliEndToEnd, TextDiskKeepsTheStepTotalAndASecondRunFindsNothingNew)
{
    ASSERT_EQ(RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"), disk(),
                      QStringLiteral("--days"), QStringLiteral("14"), QStringLiteral("--end"),
                      QStringLiteral("2026-12-06")})
                  .exitCode,
              0);
    const QStringList collect{QStringLiteral("--workdir"), work(), QStringLiteral("--drive"),
                              QStringLiteral("E=") + disk(), QStringLiteral("collect")};
    ASSERT_EQ(RunCli(collect).exitCode, 0);
    const CliRun again = RunCli(collect); // the day files are gone: nothing is added twice
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();

    const auto exported = CsvMinutes(RunCli({QStringLiteral("--workdir"), work(),
                                             QStringLiteral("export"), QStringLiteral("csv")})
                                         .out);
    const auto generated =
        GeneratedMinutes(emu::RecordGenerator(1).generate(14, QDate(2026, 12, 6)));
    EXPECT_EQ(Sum(exported), Sum(generated));
    QFile settings(work() + QStringLiteral("/Trekkomat2.INI"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(settings.readAll())
                    .contains(QStringLiteral("TotalSteps=%1").arg(Sum(generated))));
}

TEST_F(CliEndToEnd, K9EImageIsCollectedFromAWristbandWithoutLetter)
{
    const QString image = dir.filePath(QStringLiteral("k9e.img"));
    ASSERT_EQ(RunCli({QStringLiteral("emulate"), QStringLiteral("make-image"),
                      QStringLiteral("k9e"), image, QStringLiteral("--days"), QStringLiteral("10"),
                      QStringLiteral("--end"), QStringLiteral("2026-04-05")})
                  .exitCode,
              0);
    const CliRun collected = RunCli({QStringLiteral("--workdir"), work(), QStringLiteral("--drive"),
                                     QStringLiteral("*=k9e:") + image, QStringLiteral("collect")});
    ASSERT_EQ(collected.exitCode, 0) << collected.err.toStdString();
    const auto exported = CsvMinutes(RunCli({QStringLiteral("--workdir"), work(),
                                             QStringLiteral("export"), QStringLiteral("csv")})
                                         .out);
    const auto generated =
        GeneratedMinutes(emu::RecordGenerator(1).generate(10, QDate(2026, 4, 5)));
    EXPECT_EQ(Sum(exported), Sum(generated));
    EXPECT_TRUE(QFile::exists(work() + QStringLiteral("/Data/Stepo202603.BIN")));
    EXPECT_TRUE(QFile::exists(work() + QStringLiteral("/Data/Stepo202604.BIN")));
}

TEST_F(CliEndToEnd, FailedImportExitsOneAndLeavesTheDayFile)
{
    ASSERT_EQ(RunCli({QStringLiteral("emulate"), QStringLiteral("make-disk"), disk(),
                      QStringLiteral("--days"), QStringLiteral("1"), QStringLiteral("--end"),
                      QStringLiteral("2026-12-06")})
                  .exitCode,
              0);
    QDir().mkpath(work() + QStringLiteral("/Data"));
    QFile store(work() + QStringLiteral("/Data/Stepo202612.BIN"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(QByteArray(89281, '\0'));
    store.close();

    const CliRun collected = RunCli({QStringLiteral("--workdir"), work(), QStringLiteral("--drive"),
                                     QStringLiteral("E=") + disk(), QStringLiteral("collect")});
    EXPECT_EQ(collected.exitCode, 1);
    EXPECT_TRUE(collected.err.contains(QStringLiteral("### Data Collection Error ###")))
        << collected.err.toStdString();
    EXPECT_TRUE(QFile::exists(disk() + QStringLiteral("/20261206.txt")));
    EXPECT_EQ(QFile(store.fileName()).size(), 89281);
}

TEST_F(CliEndToEnd, MissingWristbandAndUsageErrors)
{
    const CliRun none = RunCli({QStringLiteral("--workdir"), work(), QStringLiteral("--drive"),
                                QStringLiteral("E=") + dir.filePath(QStringLiteral("absent")),
                                QStringLiteral("collect")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(QStringLiteral("### Not found Stepo-Disk ###")));

    for (const QStringList& arguments :
         {QStringList{},
          QStringList{QStringLiteral("export"), QStringLiteral("csv"), QStringLiteral("--from"),
                      QStringLiteral("yesterday")},
          QStringList{QStringLiteral("--drive"), QStringLiteral("5=/x"), QStringLiteral("collect")},
          QStringList{QStringLiteral("--workdir"), dir.filePath(QStringLiteral("absent")),
                      QStringLiteral("export"), QStringLiteral("csv")},
          QStringList{QStringLiteral("--workdir="), QStringLiteral("export"),
                      QStringLiteral("csv")},
          QStringList{QString(50000, u'x')}}) {
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').left(200).toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.left(200).toStdString();
        EXPECT_LT(run.err.size(), 200);
    }
    const CliRun help = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("emulate make-image")));
}

} // namespace
} // namespace trek

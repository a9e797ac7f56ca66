// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli mission: Start, a collection, the page's texts at a given tick, Stop, and the
// refusals that leave the settings file alone.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

class MissionCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.write(QStringLiteral("work/Trekkomat2.INI"),
                  "[Personal]\nStepSize=70\n[Advance]\nLanguage=0\n");
    }

    CliRun run(const QStringList& arguments) const
    {
        return RunCli(dir.filePath(QStringLiteral("work")), arguments);
    }

    static QStringList words(const char* line) { return QString::fromLatin1(line).split(u' '); }
    static QStringList lines(std::initializer_list<const char*> texts)
    {
        QStringList list;
        for (const char* text : texts) {
            list << QString::fromUtf8(text);
        }
        return list;
    }

    QByteArray settings() const { return dir.read(QStringLiteral("work/Trekkomat2.INI")); }

    test::TempDir dir;
};

TEST_F(MissionCommands, StartCollectShowAndStop)
{
    const CliRun started =
        run(words("mission start A --kind steps --target 100 --tick 4294900000"));
    ASSERT_EQ(started.exitCode, 0) << started.err.toStdString();
    EXPECT_EQ(started.lines, lines({"Mission/Target-A\tSteps", "Target Steps\t100.000",
                                    "Mission/Target-A\t0 % Compeleted",
                                    "Mission/Target-A\tRunning 0 Days 0 Hours 0 Minutes",
                                    "Mission/Target-B\tSteps", "Target Steps\t0.000"}));

    // 107 steps in 4 minutes.
    dir.write(QStringLiteral("disk/20240305.txt"), "10:00~10:02 100\r\n11:00~11:00 7\r\n");
    ASSERT_EQ(
        run({QStringLiteral("--drive"), QStringLiteral("E=") + dir.filePath(QStringLiteral("disk")),
             QStringLiteral("collect")})
            .exitCode,
        0);

    // 14 minutes after the start, the tick counter having wrapped meanwhile.
    const CliRun shown = run(words("mission show --tick 772704"));
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.lines, lines({"Mission/Target-A\tSteps", "Target Steps\t100.000",
                                  "Mission/Target-A\t100 % Compeleted",
                                  "Mission/Target-A\tRunning 0 Days 0 Hours 14 Minutes",
                                  "Mission/Target-B\tSteps", "Target Steps\t0.000",
                                  "Congraturation !!!\t, You complete the mission-A"}));
    const CliRun raw = run(words("mission show --raw"));
    EXPECT_EQ(raw.lines.mid(0, 6),
              lines({"A_Mode\t0", "A_Status\t1", "A_Goes\t100.000000", "A_CurSteps\t107",
                     "A_CurPeriodM\t4", "A_StartTime\t-67296"}));

    const CliRun stopped = run(words("mission stop A --tick 772704"));
    ASSERT_EQ(stopped.exitCode, 0) << stopped.err.toStdString();
    EXPECT_EQ(stopped.lines, lines({"Mission/Target-A\tSteps", "Target Steps\t0.000",
                                    "Mission/Target-B\tSteps", "Target Steps\t0.000"}));
    EXPECT_TRUE(settings().contains("A_CurPeriodM=0"));
}

TEST_F(MissionCommands, RefusalsWriteNothing)
{
    ASSERT_EQ(run(words("mission start B --kind distance --target 5 --tick 7")).exitCode, 0);
    const QByteArray before = settings();
    const std::vector<std::pair<const char*, int>> refused{
        {"mission start A --kind steps --target 0.005", 2},
        {"mission start A --kind steps --target abc", 2},
        {"mission start A --kind steps --target 1e95", 2},
        {"mission start A --kind walking --target 5", 2},
        {"mission start A --target 5", 2},
        {"mission start C --kind steps --target 5", 2},
        {"mission show --tick -5", 2},
        {"mission start B --kind steps --target 5", 1}, // running already
        {"mission stop A", 1},                          // not running
    };
    for (const auto& [command, status] : refused) {
        const CliRun result = run(words(command));
        EXPECT_EQ(result.exitCode, status) << command;
        EXPECT_EQ(result.lines, QStringList{}) << command;
        EXPECT_EQ(result.err.count(u'\n'), 1) << command << ": " << result.err.toStdString();
        EXPECT_EQ(settings(), before) << command;
    }
}

} // namespace
} // namespace trek

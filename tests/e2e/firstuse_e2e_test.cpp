// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli on a fresh installation: the data folder is empty until a command that writes
// makes it, the reading commands say how to begin, and entries no person can have are refused
// without touching the settings file.

#include "support/clirun.h"
#include "support/tempdir.h"

#include <QDir>
#include <gtest/gtest.h>

namespace trek {
namespace {

QStringList Args(std::initializer_list<const char*> words)
{
    QStringList arguments;
    for (const char* word : words) {
        arguments << QString::fromUtf8(word);
    }
    return arguments;
}

class FirstUse : public ::testing::Test
{
protected:
    // A data folder as a fresh account has it, with the working folder an installed program
    // chooses in it still empty.
    void SetUp() override
    {
        QDir().mkpath(work());
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
        m_environment.insert(QStringLiteral("HOME"), dir.path());
    }

    QString dataHome() const { return dir.filePath(QStringLiteral("data")); }
    QString work() const { return dataHome() + QStringLiteral("/trekkomat"); }
    QString settingsPath() const { return work() + QStringLiteral("/Trekkomat2.INI"); }
    CliRun run(const QStringList& arguments) const
    {
        return RunCli(work(), arguments, m_environment);
    }

    test::TempDir dir;
    QProcessEnvironment m_environment;
};

TEST_F(FirstUse, WritingCommandsMakeTheFolderReadingCommandsSayHowToBegin)
{
    for (const QStringList& reading :
         {Args({"summary"}), Args({"report", "month", "2026-01"}), Args({"sleep", "2026-01-05"}),
          Args({"personal", "show"}), Args({"mission", "show"}), Args({"options", "show"}),
          Args({"export", "csv"})}) {
        const CliRun refused = run(reading);
        EXPECT_EQ(refused.exitCode, 2) << reading.join(u' ').toStdString();
        EXPECT_TRUE(refused.err.startsWith(QStringLiteral("Nothing was collected into")) &&
                    refused.err.contains(QStringLiteral("trekkomat-cli collect")))
            << refused.err.toStdString();
        EXPECT_TRUE(QDir(work()).isEmpty()) << reading.join(u' ').toStdString();
    }

    for (const QStringList& writing :
         {Args({"personal", "set", "--height", "180"}),
          Args({"options", "set", "--units", "imperial"}),
          Args({"mission", "start", "A", "--kind", "steps", "--target", "5000"})}) {
        QDir(work()).removeRecursively();
        const CliRun written = run(writing);
        EXPECT_EQ(written.exitCode, 0)
            << writing.join(u' ').toStdString() << written.err.toStdString();
        EXPECT_EQ(dir.rights(QStringLiteral("data/trekkomat")), "0700");
        EXPECT_EQ(dir.rights(QStringLiteral("data/trekkomat/Trekkomat2.INI")), "0600");
        // The start-up defaults beside what the command changed.
        const QString settings =
            QString::fromUtf8(dir.read(QStringLiteral("data/trekkomat/Trekkomat2.INI")));
        EXPECT_TRUE(settings.contains(QStringLiteral("Birthday=20000201")) &&
                    settings.contains(QStringLiteral("EnableUpgrade=1")))
            << settings.toStdString();
        EXPECT_EQ(run({QStringLiteral("summary")}).exitCode, 0);
    }
}

// Each entry is refused with its field and bounds, exit 2, and the stored values stay.
TEST_F(FirstUse, EntriesNoPersonCanHaveAreRefused)
{
    ASSERT_EQ(run(Args({"personal", "set", "--height", "180", "--weight", "70", "--step", "70",
                        "--birthday", "1980-06-15"}))
                  .exitCode,
              0);
    const struct
    {
        QStringList arguments;
        const char* refusal;
    } refused[] = {
        {Args({"personal", "set", "--height", "-170"}), "Height must be between 50 cm and 272 cm."},
        {Args({"personal", "set", "--height", "273"}), "Height must be between 50 cm and 272 cm."},
        {Args({"personal", "set", "--weight", "1.9"}), "Weight must be between 2 Kg and 650 Kg."},
        {Args({"personal", "set", "--step", "151"}), "StepSize must be between 10 cm and 150 cm."},
        {Args({"personal", "set", "--units", "imperial", "--feet", "9"}),
         "Height must be between 1 Feet 8 Inch and 8 Feet 11 Inch."},
        {Args({"personal", "set", "--units", "imperial", "--weight", "4"}),
         "Weight must be between 4.4 Pound and 1433 Pound."},
        {Args({"personal", "set", "--birthday", "1899-12-31"}),
         "Birthday must be between 1900-01-01 and 2026-12-10."},
        {Args({"--now", "2026-12-10 12:00:00", "personal", "set", "--birthday", "2030-01-01"}),
         "Birthday must be between 1900-01-01 and 2026-12-10."},
        {Args({"mission", "start", "A", "--kind", "steps", "--target", "-5000"}),
         "Target Steps must be above 0."},
        {Args({"options", "set", "--slight-moving", "-5"}), "Slight Move must be 0 or more."},
    };
    const QByteArray before = dir.read(QStringLiteral("data/trekkomat/Trekkomat2.INI"));
    for (const auto& [arguments, refusal] : refused) {
        QStringList line = arguments;
        if (!line.contains(QStringLiteral("--now"))) {
            line = Args({"--now", "2026-12-10 12:00:00"}) + line;
        }
        const CliRun result = run(line);
        EXPECT_EQ(result.exitCode, 2) << line.join(u' ').toStdString();
        EXPECT_EQ(result.err.trimmed().toStdString(), refusal) << line.join(u' ').toStdString();
        EXPECT_EQ(dir.read(QStringLiteral("data/trekkomat/Trekkomat2.INI")), before)
            << line.join(u' ').toStdString();
    }

    // In the interface's language.
    ASSERT_EQ(run(Args({"options", "set", "--language", "chs"})).exitCode, 0);
    const CliRun chinese = run(Args({"personal", "set", "--weight", "700"}));
    EXPECT_EQ(chinese.exitCode, 2);
    EXPECT_EQ(chinese.err.trimmed().toStdString(), "体重必须介于 2 千克 与 650 千克 之间。");
}

} // namespace
} // namespace trek

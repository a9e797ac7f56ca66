#include "cli/cliarguments.h"

#include <gtest/gtest.h>
#include <vector>

namespace trek::cli {
namespace {

CliParse Parse(const std::vector<const char*>& words)
{
    QStringList arguments;
    for (const char* word : words) {
        arguments << QString::fromUtf8(word);
    }
    return ParseCliArguments(arguments);
}

TEST(CliArguments, GlobalOptionsBeforeOrAfterTheCommand)
{
    const CliParse parsed =
        Parse({"--workdir", "/w", "--drive", "E=/d", "collect", "--drive=F=k9e:/i"});
    ASSERT_TRUE(parsed.request) << parsed.error.toStdString();
    EXPECT_EQ(parsed.request->command, CliRequest::Command::Collect);
    EXPECT_EQ(parsed.request->workdir, QStringLiteral("/w"));
    EXPECT_EQ(parsed.request->drives,
              (QStringList{QStringLiteral("E=/d"), QStringLiteral("F=k9e:/i")}));
}

TEST(CliArguments, ExportCsvWithRange)
{
    const CliParse parsed =
        Parse({"export", "csv", "--from", "2014-09-01", "--to=2014-09-30", "--all"});
    ASSERT_TRUE(parsed.request) << parsed.error.toStdString();
    EXPECT_EQ(parsed.request->command, CliRequest::Command::ExportCsv);
    EXPECT_EQ(parsed.request->from, QDate(2014, 9, 1));
    EXPECT_EQ(parsed.request->to, QDate(2014, 9, 30));
    EXPECT_TRUE(parsed.request->allMinutes);
}

TEST(CliArguments, EmulateCommands)
{
    const CliParse disk = Parse({"emulate", "make-disk", "/d", "--days", "14", "--kind", "kdx",
                                 "--seed", "7", "--end", "2026-02-28"});
    ASSERT_TRUE(disk.request) << disk.error.toStdString();
    EXPECT_EQ(disk.request->command, CliRequest::Command::MakeDisk);
    EXPECT_EQ(disk.request->target, QStringLiteral("/d"));
    EXPECT_EQ(disk.request->kind, QStringLiteral("kdx"));
    EXPECT_EQ(disk.request->days, 14);
    EXPECT_EQ(disk.request->seed, 7U);
    EXPECT_EQ(disk.request->end, QDate(2026, 2, 28));
    EXPECT_EQ(Parse({"emulate", "make-disk", "/d", "--days", "1"}).request->kind,
              QStringLiteral("text"));

    const CliParse image = Parse({"emulate", "make-image", "k9e", "/i.img", "--days", "3"});
    ASSERT_TRUE(image.request) << image.error.toStdString();
    EXPECT_EQ(image.request->command, CliRequest::Command::MakeImage);
    EXPECT_EQ(image.request->kind, QStringLiteral("k9e"));
    EXPECT_EQ(image.request->target, QStringLiteral("/i.img"));
    EXPECT_FALSE(image.request->end.isValid()); // today, decided when run
}

TEST(CliArguments, HelpWinsOverEverythingElse)
{
    EXPECT_EQ(Parse({"collect", "--bogus", "--help"}).request->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"--help", "--bogus"}).request->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"-h"}).request->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"help"}).request->command, CliRequest::Command::Help);
}

TEST(CliArguments, UsageErrorsSaySoInOneSentence)
{
    const std::vector<std::vector<const char*>> bad{
        {},
        {"collect", "now"},
        {"collect", "--all"},
        {"export"},
        {"export", "json"},
        {"export", "csv", "--from", "2014-02-30"},
        {"export", "csv", "--from", "2014-9-1"},
        {"export", "csv", "--from", "2014-09-02", "--to", "2014-09-01"},
        {"export", "csv", "--days", "3"},
        {"export", "csv", "--all=yes"},
        {"emulate", "make-disk", "/d"},
        {"emulate", "make-disk", "/d", "--days", "0"},
        {"emulate", "make-disk", "/d", "--days", "x"},
        {"emulate", "make-disk", "/d", "--days", "3", "--kind", "csv"},
        {"emulate", "make-disk", "--days", "3"},
        {"emulate", "make-image", "k8", "/i", "--days", "3"},
        {"emulate", "make-image", "k7", "/i", "--days", "3", "--kind", "text"},
        {"emulate", "make-image", "k7", "/i", "--days", "3", "--seed", "-1"},
        {"emulate", "make-tea"},
        {"collect", "--workdir"},
        {"--verbose", "collect"},
        {"frobnicate"},
    };
    for (std::size_t i = 0; i < bad.size(); ++i) {
        const CliParse parsed = Parse(bad[i]);
        EXPECT_FALSE(parsed.request) << "case " << i;
        EXPECT_TRUE(parsed.error.endsWith(u'.')) << parsed.error.toStdString();
        EXPECT_FALSE(parsed.error.contains(u'\n'));
    }
}

TEST(CliArguments, HelpDocumentsEveryCommandAndOption)
{
    const QString help = CliHelpText();
    for (const char* word : {"collect", "export csv", "--from", "--to", "--all",
                             "emulate make-disk", "--kind text|kdx", "emulate make-image k7|k9e",
                             "--days", "--seed", "--end", "--workdir", "--drive", "Exit status"}) {
        EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << word;
    }
}

} // namespace
} // namespace trek::cli

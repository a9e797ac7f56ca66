// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cliarguments.h"
#include "cli/clicommandtable.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace trek::cli {
namespace {

Result<CliRequest> Parse(const std::vector<const char*>& words)
{
    QStringList arguments;
    for (const char* word : words) {
        arguments << QString::fromUtf8(word);
    }
    return ParseCliArguments(arguments);
}

TEST(CliArguments, GlobalOptionsBeforeOrAfterTheCommand)
{
    const Result<CliRequest> parsed =
        Parse({"--workdir", "/w", "--drive", "E=/d", "collect", "--drive=F=k9e:/i"});
    ASSERT_TRUE(parsed) << parsed.error().toStdString();
    EXPECT_EQ(parsed->command, CliRequest::Command::Collect);
    EXPECT_EQ(parsed->workdir, QStringLiteral("/w"));
    EXPECT_EQ(parsed->drives, (QStringList{QStringLiteral("E=/d"), QStringLiteral("F=k9e:/i")}));
}

TEST(CliArguments, ExportCsvWithRange)
{
    const Result<CliRequest> parsed =
        Parse({"export", "csv", "--from", "2014-09-01", "--to=2014-09-30", "--all"});
    ASSERT_TRUE(parsed) << parsed.error().toStdString();
    EXPECT_EQ(parsed->command, CliRequest::Command::ExportCsv);
    EXPECT_EQ(parsed->from, QDate(2014, 9, 1));
    EXPECT_EQ(parsed->to, QDate(2014, 9, 30));
    EXPECT_TRUE(parsed->allMinutes);
}

TEST(CliArguments, EmulateCommands)
{
    const Result<CliRequest> disk = Parse({"emulate", "make-disk", "/d", "--days", "14", "--kind",
                                           "kdx", "--seed", "7", "--end", "2026-02-28"});
    ASSERT_TRUE(disk) << disk.error().toStdString();
    EXPECT_EQ(disk->command, CliRequest::Command::MakeDisk);
    EXPECT_EQ(disk->target, QStringLiteral("/d"));
    EXPECT_EQ(disk->kind, QStringLiteral("kdx"));
    EXPECT_EQ(disk->days, 14);
    EXPECT_EQ(disk->seed, 7U);
    EXPECT_EQ(disk->end, QDate(2026, 2, 28));
    EXPECT_EQ(Parse({"emulate", "make-disk", "/d", "--days", "1"})->kind, QStringLiteral("text"));

    const Result<CliRequest> image =
        Parse({"emulate", "make-image", "k9e", "/i.img", "--days", "3"});
    ASSERT_TRUE(image) << image.error().toStdString();
    EXPECT_EQ(image->command, CliRequest::Command::MakeImage);
    EXPECT_EQ(image->kind, QStringLiteral("k9e"));
    EXPECT_EQ(image->target, QStringLiteral("/i.img"));
    EXPECT_FALSE(image->end.isValid()); // today, decided when run
}

TEST(CliArguments, HelpWinsOverEverythingElse)
{
    EXPECT_EQ(Parse({"collect", "--bogus", "--help"})->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"--help", "--bogus"})->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"-h"})->command, CliRequest::Command::Help);
    EXPECT_EQ(Parse({"help"})->command, CliRequest::Command::Help);
}

// "COMMAND --help" is that command's usage alone; a group's words give each of its commands.
TEST(CliArguments, HelpAfterCommandWordsIsThatCommandsHelp)
{
    const auto help = [](std::vector<const char*> arguments) {
        const Result<CliRequest> request = Parse(arguments);
        EXPECT_TRUE(request && request->command == CliRequest::Command::Help);
        return request ? request->helpText : QString();
    };
    const QString report = help({"report", "--help"});
    EXPECT_EQ(report.count(QStringLiteral("Usage: trekkomat-cli report ")), 3);
    EXPECT_TRUE(report.contains(QStringLiteral("--series")));
    EXPECT_FALSE(report.contains(QStringLiteral("collect")));
    const QString set = help({"--workdir", "/w", "personal", "set", "--height", "180", "-h"});
    EXPECT_TRUE(set.startsWith(QStringLiteral("Usage: trekkomat-cli personal set ")));
    EXPECT_TRUE(set.contains(QStringLiteral("--birthday")));
    EXPECT_FALSE(set.contains(QStringLiteral("personal show")));
    EXPECT_EQ(help({"help", "report", "day"}), help({"report", "day", "2024-01-01", "--help"}));
    EXPECT_EQ(help({"--help"}), CliHelpText());
    EXPECT_FALSE(Parse({"reprot", "--help"}));
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
        const Result<CliRequest> parsed = Parse(bad[i]);
        EXPECT_FALSE(parsed) << "case " << i;
        EXPECT_TRUE(parsed.error().endsWith(u'.')) << parsed.error().toStdString();
        EXPECT_FALSE(parsed.error().contains(u'\n'));
    }
}

TEST(CliArguments, EmptyFolderAndHugeArgumentsAreCaught)
{
    for (const auto& words : {std::vector<const char*>{"--workdir=", "collect"},
                              std::vector<const char*>{"export", "csv", "--workdir", ""}}) {
        const Result<CliRequest> parsed = Parse(words);
        ASSERT_FALSE(parsed); // an empty folder would silently mean the current one
        EXPECT_EQ(parsed.error(), QStringLiteral("The option --workdir needs a value."));
    }

    const std::string huge(100000, 'x');
    const std::string option = "--" + huge;
    const std::string date = "--from=" + huge;
    for (const auto& words : {std::vector<const char*>{huge.c_str()},
                              std::vector<const char*>{"collect", option.c_str()},
                              std::vector<const char*>{"export", "csv", date.c_str()}}) {
        const Result<CliRequest> parsed = Parse(words);
        ASSERT_FALSE(parsed);
        EXPECT_LT(parsed.error().size(), 160) << parsed.error().left(200).toStdString();
        EXPECT_TRUE(parsed.error().contains(QStringLiteral("xx...")));
    }
    EXPECT_EQ(Parse({huge.c_str()}).error(), QStringLiteral("Unknown command ") +
                                                 QString(80, u'x') +
                                                 QStringLiteral("...; see --help."));
    // The cut falls before a character made of two UTF-16 units, not inside it.
    QByteArray emoji(79, 'x');
    for (int i = 0; i < 50; ++i) {
        emoji += "\xF0\x9F\x98\x80";
    }
    const Result<CliRequest> parsed = Parse({emoji.constData()});
    ASSERT_FALSE(parsed);
    EXPECT_EQ(QString::fromUtf8(parsed.error().toUtf8()), parsed.error());
    EXPECT_TRUE(parsed.error().contains(QString(79, u'x') + QStringLiteral("...")));
}

// A command added later must not give an existing option name another arity: the reader splits
// values from words before it knows the command.
TEST(CliArguments, EveryOptionNameTakesAValueEverywhereOrNowhere)
{
    std::map<QString, bool> takesValue;
    const auto note = [&takesValue](const CliOption& option) {
        const auto [known, fresh] = takesValue.emplace(option.name, !option.valueName.isEmpty());
        EXPECT_TRUE(fresh || known->second == !option.valueName.isEmpty())
            << option.name.toStdString();
    };
    std::for_each(GlobalCliOptions().cbegin(), GlobalCliOptions().cend(), note);
    for (const CliCommand& command : CliCommands()) {
        std::for_each(command.options.cbegin(), command.options.cend(), note);
    }
    EXPECT_GE(takesValue.size(), 9U);
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

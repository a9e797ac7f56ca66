// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cliarguments.h"
#include "cli/clicommandtable.h"

#include <algorithm>
#include <any>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace trek::cli {
namespace {

QStringList Arguments(const std::vector<const char*>& words)
{
    QStringList arguments;
    for (const char* word : words) {
        arguments << QString::fromUtf8(word);
    }
    return arguments;
}

Result<CliInvocation> Parse(const std::vector<const char*>& words)
{
    return ParseCliArguments(Arguments(words));
}

TEST(CliArguments, GlobalOptionsBeforeOrAfterTheCommand)
{
    const Result<CliInvocation> parsed =
        Parse({"--workdir", "/w", "--drive", "E=/d", "collect", "--drive=F=k9e:/i"});
    ASSERT_TRUE(parsed) << parsed.error().toStdString();
    ASSERT_FALSE(parsed->help());
    EXPECT_EQ(parsed->command->words, QStringList{QStringLiteral("collect")});
    EXPECT_EQ(parsed->request.workdir, QStringLiteral("/w"));
    EXPECT_EQ(parsed->request.drives,
              (QStringList{QStringLiteral("E=/d"), QStringLiteral("F=k9e:/i")}));
}

// What a command's own row stores, in its own values: the commands' rows keep their values to
// themselves, so a row of the test's own stands for them.
struct DiskValues
{
    QString target;
    QString kind;
    QDate from;
    QDate end;
    std::uint64_t seed = 1;
    int days = 0;
    bool all = false;
};

TEST(CliArguments, ArgumentsAndOptionsLandInTheCommandsOwnValues)
{
    const QList<CliCommand> commands{Row(CommandRow<DiskValues>{
        .words = {QStringLiteral("make"), QStringLiteral("disk")},
        .arguments = {TextArgument(QStringLiteral("DIR"), &DiskValues::target)},
        .options =
            {Required(NumberOption(QStringLiteral("--days"), QStringLiteral("N"), &DiskValues::days,
                                   1, 10)),
             ChoiceOption(QStringLiteral("--kind"), {QStringLiteral("text"), QStringLiteral("kdx")},
                          &DiskValues::kind),
             UnsignedOption(QStringLiteral("--seed"), QStringLiteral("S"), &DiskValues::seed),
             DateOption(QStringLiteral("--from"), &DiskValues::from),
             DateOption(QStringLiteral("--end"), &DiskValues::end),
             SwitchOption(QStringLiteral("--all"), &DiskValues::all)},
        .check = [](DiskValues& values) -> Result<> {
            if (values.kind.isEmpty()) {
                values.kind = QStringLiteral("text");
            }
            return {};
        },
        .run = [](const DiskValues&, const CliRequest&) { return 0; },
    })};
    const auto values = [&commands](const std::vector<const char*>& words) {
        const Result<CliInvocation> parsed = ParseCliArguments(Arguments(words), commands);
        EXPECT_TRUE(parsed) << parsed.error().toStdString();
        return parsed ? std::any_cast<DiskValues>(parsed->values) : DiskValues{};
    };
    const DiskValues disk = values({"make", "disk", "/d", "--days", "7", "--kind", "kdx", "--seed",
                                    "7", "--from", "2014-09-01", "--end=2026-02-28", "--all"});
    EXPECT_EQ(disk.target, QStringLiteral("/d"));
    EXPECT_EQ(disk.kind, QStringLiteral("kdx"));
    EXPECT_EQ(disk.days, 7);
    EXPECT_EQ(disk.seed, 7U);
    EXPECT_EQ(disk.from, QDate(2014, 9, 1));
    EXPECT_EQ(disk.end, QDate(2026, 2, 28));
    EXPECT_TRUE(disk.all);

    const DiskValues plain = values({"--days=1", "make", "disk", "/d"});
    EXPECT_EQ(plain.kind, QStringLiteral("text")); // the row's check fills it in
    EXPECT_FALSE(plain.end.isValid());             // decided when run
    EXPECT_FALSE(plain.all);
}

TEST(CliArguments, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(Parse({"collect", "--bogus", "--help"})->help());
    EXPECT_TRUE(Parse({"--help", "--bogus"})->help());
    EXPECT_TRUE(Parse({"-h"})->help());
    EXPECT_TRUE(Parse({"help"})->help());
}

// "COMMAND --help" is that command's usage alone; a group's words give each of its commands.
TEST(CliArguments, HelpAfterCommandWordsIsThatCommandsHelp)
{
    const auto help = [](const std::vector<const char*>& arguments) {
        const Result<CliInvocation> request = Parse(arguments);
        EXPECT_TRUE(request && request->help());
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
        const Result<CliInvocation> parsed = Parse(bad[i]);
        EXPECT_FALSE(parsed) << "case " << i;
        EXPECT_TRUE(parsed.error().endsWith(u'.')) << parsed.error().toStdString();
        EXPECT_FALSE(parsed.error().contains(u'\n'));
    }
}

// A family's own sentence for a missing or unknown next word, else one naming the words.
TEST(CliArguments, AGroupsWordsWithoutACommandSayWhatMayFollow)
{
    EXPECT_EQ(Parse({"report", "2024-01"}).error(),
              QStringLiteral("The command report needs month YYYY-MM, week YYYY-MM-DD or day "
                             "YYYY-MM-DD."));
    EXPECT_EQ(Parse({"export"}).error(),
              QStringLiteral("The command export knows one format: export csv."));
    EXPECT_EQ(Parse({"emulate", "make-tea"}).error(),
              QStringLiteral("The command emulate needs set-clock, show, make-disk or "
                             "make-image."));
}

TEST(CliArguments, EmptyFolderAndHugeArgumentsAreCaught)
{
    for (const auto& words : {std::vector<const char*>{"--workdir=", "collect"},
                              std::vector<const char*>{"export", "csv", "--workdir", ""}}) {
        const Result<CliInvocation> parsed = Parse(words);
        ASSERT_FALSE(parsed); // an empty folder would silently mean the current one
        EXPECT_EQ(parsed.error(), QStringLiteral("The option --workdir needs a value."));
    }

    const std::string huge(100000, 'x');
    const std::string option = "--" + huge;
    const std::string date = "--from=" + huge;
    for (const auto& words : {std::vector<const char*>{huge.c_str()},
                              std::vector<const char*>{"collect", option.c_str()},
                              std::vector<const char*>{"export", "csv", date.c_str()}}) {
        const Result<CliInvocation> parsed = Parse(words);
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
    const Result<CliInvocation> parsed = Parse({emoji.constData()});
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

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"
#include "platform/result.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace trek::cli {

// Exit status of the command-line tool.
enum ExitStatus : int { ExitSuccess = 0, ExitFailed = 1, ExitUsage = 2 };

// What main() sets up before a command runs.
enum class CliNeeds {
    Nothing,       // no working folder and no drives: the emulator's commands
    WorkingFolder, // an existing working folder, its settings and the drives, the store ready
    // The same on a folder something was collected into: without its settings file nothing is
    // read or changed there. The default folder is the one the window would choose.
    SettingsFile,
    // The working folder, made with a settings file of the start-up defaults when it has none, so
    // that a fresh installation can be set up from the terminal.
    FirstUseSettings,
    // The working folder and the drives for the Maintain tab's work, the store left alone.
    Wristband,
};

// Stores one value from the command line into a command's values, or says in one sentence why it
// cannot. A switch is stored with a null value.
template <typename Values>
using StoreInto = std::function<Result<>(Values& values, const QString& value)>;

// One "--name" switch or "--name VALUE" option. A name must take a value in every command that
// has it, or in none: the reader has to know whether the next argument is the value before it
// knows the command.
template <typename Values> struct Option
{
    QString name;      // "--days"
    QString valueName; // "N" in the help; empty for a switch
    bool required = false;
    StoreInto<Values> store;
};

// One positional argument after the command words.
template <typename Values> struct Argument
{
    QString name;        // "DIR" in the help
    QStringList choices; // the only words allowed here; empty: any
    bool optional = false;
    StoreInto<Values> store;
};

// One command, written with the struct its options and arguments are read into: the words that
// name it, what may follow them, a last check over its values once all are stored, its help, what
// it needs and what it runs.
template <typename Values> struct CommandRow
{
    QStringList words{};
    QList<Argument<Values>> arguments{}; // the optional ones last
    QList<Option<Values>> options{};     // besides the global ones
    std::function<Result<>(Values& values)> check{};
    QString wrongArguments{}; // the sentence when the arguments do not fit; empty: a plain one
    // The sentence when the words before this command's last one come without a known word after
    // them ("report" alone); empty: one that names the words that may follow.
    QString wrongWord{};
    QString help{}; // the lines under the synopsis in the help text
    CliNeeds needs = CliNeeds::Nothing;
    std::function<int(const Values& values, const CliRequest& request)> run{};
};

// A command's values as the reader holds them, whatever their type.
using CliValues = std::any;
using CliOption = Option<CliValues>;
using CliArgument = Argument<CliValues>;

// A row of the command table: a command whose values' type is hidden behind CliValues.
struct CliCommand : CommandRow<CliValues>
{
    std::function<CliValues()> defaults; // the values before the command line is read
};

// For the commands without options or arguments of their own.
struct NoValues
{};

template <typename Values> StoreInto<CliValues> Erased(StoreInto<Values> store)
{
    return [store = std::move(store)](CliValues& values, const QString& value) {
        return store(std::any_cast<Values&>(values), value);
    };
}

template <typename Values> CliOption Erased(Option<Values> option)
{
    return {option.name, option.valueName, option.required, Erased(std::move(option.store))};
}

template <typename Values> CliArgument Erased(Argument<Values> argument)
{
    return {argument.name, argument.choices, argument.optional, Erased(std::move(argument.store))};
}

// The table's row of a command.
template <typename Values> CliCommand Row(CommandRow<Values> row)
{
    CliCommand command;
    command.words = std::move(row.words);
    for (Argument<Values>& argument : row.arguments) {
        command.arguments.append(Erased(std::move(argument)));
    }
    for (Option<Values>& option : row.options) {
        command.options.append(Erased(std::move(option)));
    }
    if (row.check) {
        command.check = [check = std::move(row.check)](CliValues& values) {
            return check(std::any_cast<Values&>(values));
        };
    }
    command.wrongArguments = std::move(row.wrongArguments);
    command.wrongWord = std::move(row.wrongWord);
    command.help = std::move(row.help);
    command.needs = row.needs;
    command.run = [run = std::move(row.run)](const CliValues& values, const CliRequest& request) {
        return run(std::any_cast<const Values&>(values), request);
    };
    command.defaults = [] {
        return CliValues(Values{});
    };
    return command;
}

// Reads one value of the command line, or says in one sentence why it cannot.
template <typename T> using ReadValue = std::function<Result<T>(const QString& value)>;

// Stores what `read` makes of a value in `field`.
template <typename Values, typename Field, typename T>
StoreInto<Values> Into(Field Values::*field, ReadValue<T> read)
{
    return [field, read = std::move(read)](Values& values, const QString& value) -> Result<> {
        Result<T> given = read(value);
        if (!given) {
            return fail(given.error());
        }
        values.*field = std::move(*given);
        return {};
    };
}

// The readers of the options and arguments below, each naming what it reads in its refusal.
ReadValue<QString> ReadText(const QString& name); // not empty: "--workdir=" is a slip
ReadValue<QDate> ReadDate(const QString& name);
ReadValue<QDateTime> ReadDateTime(const QString& name);
ReadValue<QTime> ReadTime(const QString& name);
ReadValue<int> ReadNumber(const QString& name, int least, int most);
ReadValue<std::uint64_t> ReadUnsigned(const QString& name);
ReadValue<QString> ReadChoice(const QString& name, const QStringList& choices);
ReadValue<QDate> ReadDay();   // an argument YYYY-MM-DD
ReadValue<QDate> ReadMonth(); // an argument YYYY-MM, as its first day

template <typename Values> Option<Values> SwitchOption(const QString& name, bool Values::*field)
{
    return {name, {}, false, [field](Values& values, const QString&) -> Result<> {
                values.*field = true;
                return {};
            }};
}

// Text values must not be empty: "--workdir=" is a slip, not a folder.
template <typename Values>
Option<Values> TextOption(const QString& name, const QString& valueName, QString Values::*field)
{
    return {name, valueName, false, Into(field, ReadText(name))};
}

// What a person would type into a box, kept exactly, blanks and all: an empty value is a box
// with no number in it.
template <typename Values>
Option<Values> TypedOption(const QString& name, const QString& valueName,
                           std::optional<QString> Values::*field)
{
    return {name, valueName, false, [field](Values& values, const QString& value) -> Result<> {
                values.*field = value;
                return {};
            }};
}

// May be repeated; every value is appended.
template <typename Values>
Option<Values> ListOption(const QString& name, const QString& valueName, QStringList Values::*field)
{
    return {name, valueName, false, [field](Values& values, const QString& value) -> Result<> {
                (values.*field).append(value);
                return {};
            }};
}

// YYYY-MM-DD.
template <typename Values> Option<Values> DateOption(const QString& name, QDate Values::*field)
{
    return {name, QStringLiteral("YYYY-MM-DD"), false, Into(field, ReadDate(name))};
}

// "YYYY-MM-DD HH:MM:SS", a local time.
template <typename Values>
Option<Values> DateTimeOption(const QString& name, QDateTime Values::*field)
{
    return {name, QStringLiteral("\"YYYY-MM-DD HH:MM:SS\""), false,
            Into(field, ReadDateTime(name))};
}

// HH:MM.
template <typename Values> Option<Values> TimeOption(const QString& name, QTime Values::*field)
{
    return {name, QStringLiteral("HH:MM"), false, Into(field, ReadTime(name))};
}

template <typename Values>
Option<Values> NumberOption(const QString& name, const QString& valueName, int Values::*field,
                            int least, int most)
{
    return {name, valueName, false, Into(field, ReadNumber(name, least, most))};
}

template <typename Values>
Option<Values> UnsignedOption(const QString& name, const QString& valueName,
                              std::uint64_t Values::*field)
{
    return {name, valueName, false, Into(field, ReadUnsigned(name))};
}

template <typename Values>
Option<Values> ChoiceOption(const QString& name, const QStringList& choices, QString Values::*field)
{
    return {name, choices.join(u'|'), false, Into(field, ReadChoice(name, choices))};
}

template <typename Values> Option<Values> Required(Option<Values> option)
{
    option.required = true;
    return option;
}

// "--format csv|json" of the commands that print a page, and the help line that says what the
// records hold (`fields`: "the fields a, b and c").
template <typename Values> Option<Values> FormatOption(QString Values::*field)
{
    return ChoiceOption(QStringLiteral("--format"), {QStringLiteral("csv"), QStringLiteral("json")},
                        field);
}
QString FormatHelp(const QString& fields);

template <typename Values>
Argument<Values> TextArgument(const QString& name, QString Values::*field)
{
    return {name, {}, false, [field](Values& values, const QString& value) -> Result<> {
                values.*field = value;
                return {};
            }};
}

template <typename Values>
Argument<Values> ChoiceArgument(const QStringList& choices, QString Values::*field)
{
    Argument<Values> argument = TextArgument(choices.join(u'|'), field);
    argument.choices = choices;
    return argument;
}

// YYYY-MM-DD.
template <typename Values> Argument<Values> DateArgument(QDate Values::*field)
{
    return {QStringLiteral("YYYY-MM-DD"), {}, false, Into(field, ReadDay())};
}

// YYYY-MM, stored as its first day.
template <typename Values> Argument<Values> MonthArgument(QDate Values::*field)
{
    return {QStringLiteral("YYYY-MM"), {}, false, Into(field, ReadMonth())};
}

// "emulate make-disk DIR --days N [--kind text|kdx] ..." as the help shows it.
QString CommandSynopsis(const CliCommand& command);
QString ArgumentsSynopsis(const CliCommand& command);
// The synopsis and, indented below it, the command's help lines: its block of the whole help and
// the whole of its own.
QString CommandHelp(const CliCommand& command);

// "a", "a or b", "a, b or c".
QString Alternatives(const QStringList& words);

// A piece of the command line as an error message quotes it: an accidental huge argument is cut
// so that it does not flood the terminal.
QString Shown(const QString& argument);

} // namespace trek::cli

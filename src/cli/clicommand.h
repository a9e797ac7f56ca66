// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"
#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace trek::cli {

// Stores one value from the command line into the request, or says in one sentence why it cannot.
// A switch is stored with a null value.
using StoreValue = std::function<Result<>(CliRequest& request, const QString& value)>;

// One "--name" switch or "--name VALUE" option. A name must take a value in every command that
// has it, or in none: the reader has to know whether the next argument is the value before it
// knows the command.
struct CliOption
{
    QString name;      // "--days"
    QString valueName; // "N" in the help; empty for a switch
    bool required = false;
    StoreValue store;
};

// One positional argument after the command words.
struct CliArgument
{
    QString name;        // "DIR" in the help
    QStringList choices; // the only words allowed here; empty: any
    bool optional = false;
    StoreValue store;
};

// One row of the command table: the words that name the command, what may follow them, and a
// last check over the whole request once every value is stored.
struct CliCommand
{
    CliRequest::Command command = CliRequest::Command::Help;
    QStringList words{};
    QList<CliArgument> arguments{}; // the optional ones last
    QList<CliOption> options{};     // besides the global ones
    Result<> (*check)(CliRequest& request) = nullptr;
    QString wrongArguments{}; // the sentence when the arguments do not fit; empty: a plain one
    QString help{};           // the lines under the synopsis in the help text
};

// Leading words shared by several commands ("emulate") with their own sentence for a missing or
// unknown next word; groups without one say which words may follow.
struct CliGroup
{
    QStringList words{};
    QString wrongWord;
};

CliOption SwitchOption(const QString& name, bool CliRequest::*field);
// Text values must not be empty: "--workdir=" is a slip, not a folder.
CliOption TextOption(const QString& name, const QString& valueName, QString CliRequest::*field);
// May be repeated; every value is appended.
CliOption ListOption(const QString& name, const QString& valueName, QStringList CliRequest::*field);
CliOption DateOption(const QString& name, QDate CliRequest::*field); // YYYY-MM-DD
// "YYYY-MM-DD HH:MM:SS", a local time.
CliOption DateTimeOption(const QString& name, QDateTime CliRequest::*field);
CliOption TimeOption(const QString& name, QTime CliRequest::*field); // HH:MM
CliOption NumberOption(const QString& name, const QString& valueName, int CliRequest::*field,
                       int least, int most);
CliOption UnsignedOption(const QString& name, const QString& valueName,
                         std::uint64_t CliRequest::*field);
CliOption ChoiceOption(const QString& name, const QStringList& choices, QString CliRequest::*field);
CliOption Required(CliOption option);
// "--format csv|json" of the commands that print a page, and the help line that says what the
// records hold (`fields`: "the fields a, b and c").
CliOption FormatOption();
QString FormatHelp(const QString& fields);

CliArgument TextArgument(const QString& name, QString CliRequest::*field);
CliArgument ChoiceArgument(const QStringList& choices, QString CliRequest::*field);
CliArgument DateArgument(QDate CliRequest::*field);  // YYYY-MM-DD
CliArgument MonthArgument(QDate CliRequest::*field); // YYYY-MM, stored as its first day

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

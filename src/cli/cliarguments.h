// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"
#include "cli/clicommandtable.h"
#include "cli/clirequest.h"
#include "platform/result.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace trek::cli {

// What one run of the command-line tool was asked to do: a command with its own values and the
// global options, or a help text to print.
struct CliInvocation
{
    const CliCommand* command = nullptr; // null: the help
    CliValues values;
    CliRequest request;
    QString helpText; // the whole help, or that of the commands asked about

    bool help() const { return command == nullptr; }
    int run() const { return command->run(values, request); }
};

// Reads the arguments after the program name against the command table (clicommandtable.h).
// Options are accepted before and after the command words; anything unknown, missing or
// malformed is a usage error, reported in one sentence.
Result<CliInvocation> ParseCliArguments(const QStringList& arguments,
                                        const QList<CliCommand>& commands = CliCommands());

QString CliHelpText(const QList<CliCommand>& commands = CliCommands());

} // namespace trek::cli

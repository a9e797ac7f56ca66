// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"

#include <QList>

namespace trek::cli {

// The commands of trekkomat-cli. Each file beside this one holds the rows of one command or
// family of commands: its values, words, options, help, needs and runner. A new command is a new
// file there (the build finds it), its function declared here and named in CommandList() where
// its help should stand.
QList<CliCommand> CollectCommand();
QList<CliCommand> WatchCommand();
QList<CliCommand> ExportCommand();
QList<CliCommand> ReportCommands(); // report month|week|day, summary
QList<CliCommand> DeleteCommand();
QList<CliCommand> SleepCommand();
QList<CliCommand> TrendCommands(); // trend steps|sleep
QList<CliCommand> MissionCommands();
QList<CliCommand> OptionCommands();
QList<CliCommand> TimeSetCommands(); // timeset, clockcheck, emulate set-clock|show
QList<CliCommand> FactoryCommand();
QList<CliCommand> EmulatorCommands(); // emulate make-disk|make-image
QList<CliCommand> PersonalCommands();
QList<CliCommand> UpdateCommands();

// In the order of the help.
inline QList<CliCommand> CommandList()
{
    return QList<CliCommand>() << CollectCommand() << WatchCommand() << ExportCommand()
                               << ReportCommands() << DeleteCommand() << SleepCommand()
                               << TrendCommands() << TrendCommands() << MissionCommands()
                               << OptionCommands() << TimeSetCommands() << FactoryCommand()
                               << EmulatorCommands() << PersonalCommands() << UpdateCommands();
}

} // namespace trek::cli

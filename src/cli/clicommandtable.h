// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"

#include <QList>
#include <QString>

namespace trek::cli {

// Everything the command line knows. A new command is one row in CliCommands() (with the
// fields its values go to in CliRequest) and its handler in main(); the reader itself does not
// change.
const QList<CliOption>& GlobalCliOptions(); // accepted with every command
const QList<CliCommand>& CliCommands();
const QList<CliGroup>& CliGroups();

// The parts of the help text around the generated list of commands.
QString CliHelpHead();
QString CliHelpTail();

} // namespace trek::cli

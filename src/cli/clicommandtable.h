// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clicommand.h"

#include <QList>
#include <QString>

namespace trek::cli {

// Everything the command line knows. Each command is a row of its own in commands/, listed in
// commands/commandlist.h; the reader and main() do not change for a new one.
const QList<CliOption>& GlobalCliOptions(); // accepted with every command, read into CliRequest
const QList<CliCommand>& CliCommands();

// The parts of the help text around the generated list of commands.
QString CliHelpHead();
QString CliHelpTail();

} // namespace trek::cli

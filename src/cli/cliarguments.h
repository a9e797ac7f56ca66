// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/clirequest.h"
#include "platform/result.h"

#include <QString>
#include <QStringList>

namespace trek::cli {

// Reads the arguments after the program name against the command table (clicommandtable.h).
// Options are accepted before and after the command words; anything unknown, missing or
// malformed is a usage error, reported in one sentence.
Result<CliRequest> ParseCliArguments(const QStringList& arguments);

QString CliHelpText();

} // namespace trek::cli

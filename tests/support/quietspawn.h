// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace trek::test {

// Starts `program` with its output thrown away and answers 0 or the error of posix_spawn.
// A plain spawn rather than QProcess, so that a kill lands at the moment a caller chooses
// and not an event loop's latency later.
int SpawnQuietly(const QString& program, const QStringList& arguments, pid_t& child);

} // namespace trek::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace trek::cli {

// What every command of one run gets: the global options. Each command reads its own options and
// arguments into values of its own (clicommand.h).
struct CliRequest
{
    QString workdir;    // empty: DefaultWorkingFolder()
    QStringList drives; // "--drive" values in the order given
    QDateTime now;      // "--now": the PC's local time for the whole run; null: the real clock

    // The PC's time of the run: frozen at --now, or the real clock (an empty function).
    std::function<QDateTime()> clock() const
    {
        if (!now.isValid()) {
            return {};
        }
        return [frozen = now] {
            return frozen;
        };
    }
};

} // namespace trek::cli

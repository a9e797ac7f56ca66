// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the command-line tool of this build (TREK_CLI_PATH, set by every test that uses this) on
// a working folder and splits what it printed into lines.

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace trek {

struct CliRun
{
    int exitCode = -1; // -1: it crashed or did not end
    QStringList lines; // standard output, without the last line's end
    QString err;
};

// Starts the tool on `workdir`. An empty `environment` is the test's own; an empty
// `currentDirectory` the test's.
inline void StartCli(QProcess& process, const QString& workdir, const QStringList& arguments,
                     const QProcessEnvironment& environment = {},
                     const QString& currentDirectory = {})
{
    if (!environment.isEmpty()) {
        process.setProcessEnvironment(environment);
    }
    process.setWorkingDirectory(currentDirectory);
    process.start(QStringLiteral(TREK_CLI_PATH),
                  QStringList{QStringLiteral("--workdir"), workdir} + arguments);
}

// What a finished run printed and how it ended.
inline CliRun FinishedCliRun(QProcess& process)
{
    CliRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    EXPECT_EQ(result.lines.takeLast(), QString()) << "output ends in a line end";
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

inline CliRun RunCli(const QString& workdir, const QStringList& arguments,
                     const QProcessEnvironment& environment = {},
                     const QString& currentDirectory = {})
{
    QProcess process;
    StartCli(process, workdir, arguments, environment, currentDirectory);
    EXPECT_TRUE(process.waitForFinished(60000));
    return FinishedCliRun(process);
}

} // namespace trek

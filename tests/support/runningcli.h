// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The command-line tool of this build (TREK_CLI_PATH, set by every test that uses this) kept
// running while the test plugs wristbands in and out, for the commands that wait for them.

#include <QDeadlineTimer>
#include <QProcess>
#include <QStringList>
#include <csignal>
#include <gtest/gtest.h>

namespace trek::test {

class RunningCli
{
public:
    RunningCli() = default;
    ~RunningCli()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    Q_DISABLE_COPY_MOVE(RunningCli)

    void start(const QStringList& arguments)
    {
        out.clear();
        err.clear();
        m_process.start(QStringLiteral(TREK_CLI_PATH), arguments);
        ASSERT_TRUE(m_process.waitForStarted());
    }
    // Waits until standard output holds `text` `times` times; false when the tool ended first or
    // 20 seconds passed.
    bool waitFor(const QString& text, int times = 1)
    {
        const QDeadlineTimer deadline(20000);
        while (out.count(text) < times && !deadline.hasExpired()) {
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning) {
                break;
            }
            out += QString::fromUtf8(m_process.readAllStandardOutput());
        }
        return out.count(text) >= times;
    }
    void signal(int signalNumber) const
    {
        (void)::kill(static_cast<pid_t>(m_process.processId()), signalNumber);
    }
    // The exit status once the tool has ended; -1 when it crashed or did not end in 20 seconds.
    int finish()
    {
        EXPECT_TRUE(m_process.waitForFinished(20000));
        out += QString::fromUtf8(m_process.readAllStandardOutput());
        err = QString::fromUtf8(m_process.readAllStandardError());
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QString out;
    QString err;

private:
    QProcess m_process;
};

} // namespace trek::test

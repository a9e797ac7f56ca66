// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/stoprequests.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace trek::platform {

namespace {

constexpr std::array<int, 3> StopSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe the handler reports through; -1 while nobody listens.
volatile std::sig_atomic_t g_writeEnd = -1;

// Only what is async-signal-safe: one byte into a non-blocking pipe. A full pipe already holds
// a request the reader has not seen, so a lost byte loses nothing.
extern "C" void OnStopSignal(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    (void)::write(g_writeEnd, &byte, 1);
    errno = savedErrno;
}

QString SystemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QString::fromLatin1(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

class LinuxStopRequests final : public StopRequests
{
public:
    LinuxStopRequests(int readEnd, int writeEnd) : m_readEnd(readEnd), m_writeEnd(writeEnd)
    {
        g_writeEnd = writeEnd;
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        // Interrupted reads and waits go on; the request is handled from the event loop.
        action.sa_flags = SA_RESTART;
        for (std::size_t index = 0; index < StopSignals.size(); ++index) {
            (void)::sigaction(StopSignals.at(index), &action, &m_previous.at(index));
        }
        auto* notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &LinuxStopRequests::drain);
    }

    ~LinuxStopRequests() override
    {
        for (std::size_t index = 0; index < StopSignals.size(); ++index) {
            (void)::sigaction(StopSignals.at(index), &m_previous.at(index), nullptr);
        }
        g_writeEnd = -1;
        ::close(m_readEnd);
        ::close(m_writeEnd);
    }
    Q_DISABLE_COPY_MOVE(LinuxStopRequests)

private:
    void drain()
    {
        unsigned char byte = 0;
        while (::read(m_readEnd, &byte, 1) == 1) {
            emit stopRequested(byte);
        }
    }

    int m_readEnd;
    int m_writeEnd;
    std::array<struct sigaction, StopSignals.size()> m_previous{};
};

} // namespace

Result<std::unique_ptr<StopRequests>> catchStopRequests()
{
    if (g_writeEnd != -1) {
        return fail(QStringLiteral("The stop signals are already being caught."));
    }
    std::array<int, 2> ends{};
    if (::pipe2(ends.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return fail(SystemError("Cannot catch the stop signals"));
    }
    return std::unique_ptr<StopRequests>(std::make_unique<LinuxStopRequests>(ends[0], ends[1]));
}

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "console.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace updater {

namespace {

void writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return; // a console or log that cannot be written is no reason to stop the update
        }
        done += static_cast<std::size_t>(written);
    }
}

} // namespace

Console::Console(const std::string& logPath)
    : m_log(::open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600))
{}

Console::~Console()
{
    if (m_log >= 0) {
        ::fsync(m_log);
        ::close(m_log);
    }
}

void Console::write(const std::string& text) const
{
    writeAll(STDOUT_FILENO, text);
    if (m_log >= 0) {
        writeAll(m_log, text);
    }
}

} // namespace updater

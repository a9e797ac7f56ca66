// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/exclusivefilelock.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trek::platform {

ExclusiveFileLock::~ExclusiveFileLock()
{
    release();
}

int ExclusiveFileLock::tryTake(const QString& path)
{
    if (m_fd >= 0) {
        return 0;
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    m_fd = fd;
    return 0;
}

void ExclusiveFileLock::release()
{
    if (m_fd >= 0) {
        ::close(std::exchange(m_fd, -1)); // closing the only descriptor drops the flock
    }
}

} // namespace trek::platform

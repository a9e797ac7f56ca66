// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <unistd.h>

namespace trek::platform {

// Closes a descriptor on every path out of a function; EINTR on close is not retried on Linux
// because the descriptor is released either way.
class FileDescriptor final
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Q_DISABLE_COPY_MOVE(FileDescriptor)

    int get() const { return m_fd; }
    // Closes now so that a failing close (a late write error on some file systems) is seen.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <utility>

namespace trek::platform {

// An advisory lock that only one process holds on a file at a time, for as long as this object
// lives. Other programs that honour it wait; nothing stops those that do not look.
class ExclusiveFileLock final
{
public:
    ExclusiveFileLock() = default;
    ExclusiveFileLock(ExclusiveFileLock&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    ExclusiveFileLock& operator=(ExclusiveFileLock&& other) noexcept
    {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;
    ~ExclusiveFileLock();

    // One attempt: 0 once held, else the platform's error code (EWOULDBLOCK while another
    // process holds it). The file is opened for reading only and never changed.
    int tryTake(const QString& path);

private:
    void release();

    int m_fd = -1;
};

} // namespace trek::platform

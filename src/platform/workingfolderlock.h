// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <chrono>
#include <cstdint>
#include <utility>

namespace trek::platform {

// Keeps every other writer out of a folder while it is held: other processes, and other threads
// of this one. The thread that holds it may take it again, and only the last release lets go,
// so that a commit holding the working folder can write its counters through the profile, whose
// writes take the same lock. A lock on the folder rather than on a file survives the renames
// that replace files in it and leaves no lock file behind.
class [[nodiscard]] WorkingFolderLock final
{
public:
    // Waits up to `patience` for the folder, then fails with the reason (typically that the
    // folder is busy).
    static Result<WorkingFolderLock> acquire(const QString& folder,
                                             std::chrono::milliseconds patience);

    WorkingFolderLock(WorkingFolderLock&& other) noexcept
        : m_device(other.m_device), m_inode(other.m_inode),
          m_held(std::exchange(other.m_held, false))
    {}
    WorkingFolderLock(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(const WorkingFolderLock&) = delete;
    WorkingFolderLock& operator=(WorkingFolderLock&&) = delete;
    ~WorkingFolderLock();

private:
    WorkingFolderLock(std::uint64_t device, std::uint64_t inode)
        : m_device(device), m_inode(inode), m_held(true)
    {}

    std::uint64_t m_device;
    std::uint64_t m_inode;
    bool m_held;
};

} // namespace trek::platform

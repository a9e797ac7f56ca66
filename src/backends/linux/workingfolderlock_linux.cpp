// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/workingfolderlock.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace trek::platform {

namespace {

using Clock = std::chrono::steady_clock;
using FolderId = std::pair<std::uint64_t, std::uint64_t>; // device, inode

// flock() belongs to an open descriptor: a second descriptor of the same folder would wait for
// the first even within this process. So the process keeps one descriptor per held folder and
// counts how often its holding thread has taken it.
struct Holding
{
    int fd = -1;
    std::thread::id owner;
    int depth = 0;
};

struct Holdings
{
    std::mutex mutex;
    std::condition_variable released;
    std::map<FolderId, Holding> folders;
};

Holdings& holdings()
{
    static Holdings instance;
    return instance;
}

void closeDescriptor(int fd)
{
    if (fd >= 0) {
        ::close(fd); // releases the flock
    }
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString busy(const QString& folder)
{
    return QStringLiteral("The working folder %1 is busy: another task is writing in it.")
        .arg(folder);
}

// Forgets a holding that never got its flock, and wakes the threads waiting for it.
void abandon(const FolderId& id)
{
    Holdings& all = holdings();
    const std::lock_guard guard(all.mutex);
    all.folders.erase(id);
    all.released.notify_all();
}

} // namespace

Result<WorkingFolderLock> WorkingFolderLock::acquire(const QString& folder,
                                                     std::chrono::milliseconds patience)
{
    const Clock::time_point deadline = Clock::now() + patience;
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return fail(QStringLiteral("Cannot open the working folder %1: %2")
                        .arg(folder, systemError(errno)));
    }
    struct stat info
    {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        closeDescriptor(fd);
        return fail(QStringLiteral("Cannot examine the working folder %1: %2")
                        .arg(folder, systemError(error)));
    }
    // Device and inode name the folder however the path spells it.
    const FolderId id{info.st_dev, info.st_ino};

    Holdings& all = holdings();
    {
        std::unique_lock guard(all.mutex);
        const auto thisThread = std::this_thread::get_id();
        const auto free = [&] {
            return all.folders.find(id) == all.folders.end();
        };
        if (const auto held = all.folders.find(id);
            held != all.folders.end() && held->second.owner == thisThread) {
            ++held->second.depth;
            guard.unlock();
            closeDescriptor(fd);
            return WorkingFolderLock(id.first, id.second);
        }
        if (!all.released.wait_until(guard, deadline, free)) {
            guard.unlock();
            closeDescriptor(fd);
            return fail(busy(folder));
        }
        all.folders.emplace(id, Holding{fd, thisThread, 1});
    }

    // Other processes: flock() cannot wait with a time limit, so ask again and again with
    // growing pauses until the deadline.
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return WorkingFolderLock(id.first, id.second);
        }
        const int error = errno;
        if (error == EINTR) {
            continue;
        }
        const Clock::time_point now = Clock::now();
        if (error != EWOULDBLOCK || now >= deadline) {
            abandon(id);
            closeDescriptor(fd);
            return fail(error == EWOULDBLOCK
                            ? busy(folder)
                            : QStringLiteral("Cannot lock the working folder %1: %2")
                                  .arg(folder, systemError(error)));
        }
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

WorkingFolderLock::~WorkingFolderLock()
{
    if (!m_held) {
        return;
    }
    Holdings& all = holdings();
    const std::lock_guard guard(all.mutex);
    const auto held = all.folders.find(FolderId{m_device, m_inode});
    if (held == all.folders.end() || --held->second.depth > 0) {
        return;
    }
    closeDescriptor(held->second.fd);
    all.folders.erase(held);
    all.released.notify_all();
}

} // namespace trek::platform

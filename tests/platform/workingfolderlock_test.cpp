// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/iniprofile.h"
#include "platform/workingfolderlock.h"
#include "tempdir.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

using trek::platform::IniProfile;
using trek::platform::WorkingFolderLock;
using trek::test::TempDir;
using namespace std::chrono_literals;

namespace {

// flock() on a descriptor of its own: what another process sees of the folder.
class OutsideLock final
{
public:
    explicit OutsideLock(const QString& folder)
        : m_fd(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {}
    ~OutsideLock() { ::close(m_fd); }
    Q_DISABLE_COPY_MOVE(OutsideLock)

    bool tryLock() const { return ::flock(m_fd, LOCK_EX | LOCK_NB) == 0; }
    void unlock() const { ::flock(m_fd, LOCK_UN); }

private:
    int m_fd;
};

bool heldByOtherThread(const QString& folder)
{
    bool got = false;
    std::thread([&] { got = WorkingFolderLock::acquire(folder, 50ms).ok(); }).join();
    return !got;
}

} // namespace

TEST(WorkingFolderLock, NestsWithinAThreadAndKeepsEveryoneElseOut)
{
    const TempDir dir;
    const OutsideLock outside(dir.path());
    {
        auto outer = WorkingFolderLock::acquire(dir.path(), 0ms);
        ASSERT_TRUE(outer) << outer.error().toStdString();
        {
            // Another spelling of the same folder is the same lock.
            auto inner = WorkingFolderLock::acquire(dir.path() + QStringLiteral("/."), 0ms);
            ASSERT_TRUE(inner) << inner.error().toStdString();
            // The commit case: the profile writes while its caller holds the folder.
            IniProfile profile(0ms);
            const auto written = profile.writeString(
                QStringLiteral("Shared"), QStringLiteral("Counter"), QStringLiteral("1"),
                dir.filePath(QStringLiteral("Trekkomat2.INI")));
            EXPECT_TRUE(written) << written.error().toStdString();
        }
        EXPECT_FALSE(outside.tryLock()); // the inner release kept the outer hold
        EXPECT_TRUE(heldByOtherThread(dir.path()));
    }
    EXPECT_FALSE(heldByOtherThread(dir.path()));
    EXPECT_TRUE(outside.tryLock());
    outside.unlock();
}

TEST(WorkingFolderLock, GivesUpWithAReasonWhenTheFolderStaysBusy)
{
    const TempDir dir;
    const QString path = dir.write(QStringLiteral("Trekkomat2.INI"), "[A]\nx=1\n");
    const OutsideLock outside(dir.path());
    ASSERT_TRUE(outside.tryLock());

    const auto lock = WorkingFolderLock::acquire(dir.path(), 100ms);
    ASSERT_FALSE(lock);
    EXPECT_TRUE(lock.error().contains(QStringLiteral("busy"))) << lock.error().toStdString();

    IniProfile profile(100ms);
    const auto written =
        profile.writeString(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("2"), path);
    EXPECT_FALSE(written);
    EXPECT_TRUE(written.error().contains(QStringLiteral("busy")));
    EXPECT_EQ(profile.getInt(QStringLiteral("A"), QStringLiteral("x"), 9, path), 1);

    // A waiter gets the folder as soon as it is free.
    std::thread release([&] {
        std::this_thread::sleep_for(50ms);
        outside.unlock();
    });
    const auto waited = WorkingFolderLock::acquire(dir.path(), 10s);
    release.join();
    EXPECT_TRUE(waited) << waited.error().toStdString();

    const auto missing = WorkingFolderLock::acquire(dir.filePath(QStringLiteral("none")), 0ms);
    EXPECT_FALSE(missing);
}

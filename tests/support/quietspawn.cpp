// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/quietspawn.h"

#include <QByteArray>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <vector>

namespace trek::test {

int SpawnQuietly(const QString& program, const QStringList& arguments, pid_t& child)
{
    std::vector<QByteArray> storage{program.toLocal8Bit()};
    for (const QString& argument : arguments) {
        storage.push_back(argument.toLocal8Bit());
    }
    std::vector<char*> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray& argument : storage) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned;
}

} // namespace trek::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <dirent.h>
#include <functional>
#include <sys/stat.h>

namespace trek::platform {

// The pieces of the regular-file calls that the other Linux file code shares.

struct RegularFileContent
{
    bool exists = false; // false when nothing, or a dangling link, is at the path
    QByteArray bytes;
    struct stat info
    {};
};

// Like readRegularFile(), but a missing file is no failure: it answers exists = false.
[[nodiscard]] Result<RegularFileContent> readRegularFileIfPresent(const QString& path,
                                                                  qint64 maxBytes);

// Writes all of `bytes` at the descriptor's position; answers 0 or the errno that stopped it.
[[nodiscard]] int writeAll(int fd, QByteArrayView bytes);

// Who may read a file the program creates. The working folder holds personal data (birthday,
// height, weight, every step), so a file made there is its user's alone, 0600 whatever the umask;
// a file on a wristband's disk is made as any program makes one, the umask deciding.
enum class NewFileMode { Private, Umask };

// A step on the open temporary file of replaceFileAtomically(), after its content is written and
// before it is flushed and renamed.
using TemporaryFileStep = std::function<Result<>(int fd)>;

// writeFileAtomically(), with `prepare` (when given) run on the temporary file; a failing step
// leaves the old file as it was. A replacement keeps the access rights of the file it replaces;
// `mode` counts only for a new file.
[[nodiscard]] Result<> replaceFileAtomically(const QString& path, QByteArrayView bytes,
                                             const TemporaryFileStep& prepare, NewFileMode mode);

// "a link", "a FIFO", "a folder" and so on, for the reason a file is refused.
QString fileKind(mode_t mode);

QString systemError(int error);

// open(2), tried again when a signal interrupts it.
[[nodiscard]] int openRetrying(const QByteArray& path, int flags, mode_t mode = 0);

// Creates a new hidden temporary file beside `name` in `folder` (never through a link), named so
// that removeLeftoverTemporaryFiles() recognises it; answers the descriptor, or -1 with errno.
[[nodiscard]] int openTemporary(const QByteArray& folder, const QByteArray& name,
                                QByteArray& tempPath, NewFileMode mode);

// Makes the file behind `fd`, just created, its user's alone whatever the umask took away;
// answers 0 or the errno.
[[nodiscard]] int makeFilePrivate(int fd);

// Opens `folder` for readdir(); the caller closes it with closedir(), and dirfd() serves the
// *at calls on its entries.
[[nodiscard]] Result<DIR*> openFolderListing(const QString& folder);

} // namespace trek::platform

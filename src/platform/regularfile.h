// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace trek::platform {

// The program reads and writes regular files only. Whatever else may sit under a file's name on
// a wristband or in the working folder (a FIFO, a device, a socket, a folder, a link to any of
// them or a dangling link) is refused at once with a reason, never waited on, never read without
// end and never written through.

// Reads a whole regular file. A link is followed only to a regular file. A file larger than
// `maxBytes` is refused before anything is read.
[[nodiscard]] Result<QByteArray> readRegularFile(const QString& path, qint64 maxBytes);

// What a regular file was when it was read: enough to tell later, without reading it again, that
// it cannot have changed since. Only a settled version tells it: one whose last change lies so
// far before the read that any change after the read must show in the change time, even on a file
// system that keeps its times to two seconds (FAT). A file written just before it is read is not
// settled, and must be read again to know.
struct FileVersion
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since 1970
    qint64 changed = 0;  // of the last change of content or attributes; nobody can set it back
    bool settled = false;
};

struct VersionedContent
{
    QByteArray bytes;
    FileVersion version; // as the file was when its bytes were read
};

// readRegularFile(), with the version of the file it read.
[[nodiscard]] Result<VersionedContent> readRegularFileVersion(const QString& path, qint64 maxBytes);

// Whether the regular file at `path` (a link is not followed) is still the settled `version`;
// false whenever that cannot be told without reading it.
[[nodiscard]] bool isUnchangedSince(const QString& path, const FileVersion& version);

// Writes a new regular file; fails when anything, a dangling link included, is at `path`
// already. With `durable`, the data and the folder entry reach the disk before it answers. A file
// it made but could not fill is removed again. The file is its user's alone (0600) whatever the
// umask: it is made in the working folder, whose files are personal data.
[[nodiscard]] Result<> createRegularFile(const QString& path, QByteArrayView bytes, bool durable);

// Replaces the content of an existing regular file in place, for files on the wristband whose
// disk should see no renames; the data reach the disk before it answers. A link at `path` is
// refused, not followed, and so is a file with a second name (a hard link), which may lie outside
// the folder. Not atomic: a failure midway can leave the new content cut short.
[[nodiscard]] Result<> overwriteRegularFile(const QString& path, QByteArrayView bytes);

// Whether anything at all, a dangling link included, is at `path`; when that cannot be told (a
// folder on the way that may not be looked into), it answers true.
[[nodiscard]] bool isNameTaken(const QString& path);

// Whether a regular file (not a link) is at `path`.
[[nodiscard]] bool isRegularFile(const QString& path);

// What tells the file or folder at `path` (a link followed) from every other one on this machine
// while it exists, under whatever name it is reached; empty when there is nothing.
[[nodiscard]] QString fileIdentity(const QString& path);
// Makes the entries of `folder` (files created, replaced or removed in it) durable.
[[nodiscard]] Result<> syncFolder(const QString& folder);

// Creates the folder `path` and those missing above it, each one its user's alone (0700)
// whatever the umask, as the working folder and its folders hold personal data. A folder that is
// there already, one the user made included, keeps its access rights; a file in the way is
// refused with the reason.
[[nodiscard]] Result<> makePrivateFolders(const QString& path);

} // namespace trek::platform

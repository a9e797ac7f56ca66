// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <memory>

namespace trek::platform {

// A file that is written piece by piece under a temporary name of its own and takes its real
// name only once it is complete, so that nobody ever sees it half written under that name.
// The temporary name is created exclusively and never follows a link; whatever was not
// committed is removed when the object goes.
class StagedFile
{
public:
    virtual ~StagedFile() = default;

    // Appends bytes at the end; a failed write (a full disk) answers why.
    [[nodiscard]] virtual Result<> append(QByteArrayView bytes) = 0;
    // Bytes appended so far.
    virtual qint64 size() const = 0;
    // Where the bytes are while they are staged.
    virtual QString temporaryPath() const = 0;
    // Syncs the data, renames the file to `path` in the same folder, replacing a regular file
    // there (never a link, a folder or anything else) and syncs the folder. A replaced file's
    // access rights stay; a new one is its user's alone (0600), as the working folder's files are.
    [[nodiscard]] virtual Result<> commit(const QString& path) = 0;
};

// Starts a staged file in `folder`; its temporary name begins with "." and `name`.
[[nodiscard]] Result<std::unique_ptr<StagedFile>> createStagedFile(const QString& folder,
                                                                   const QString& name);

} // namespace trek::platform

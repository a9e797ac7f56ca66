// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace trek::platform {

// The desktop's trash, from where the user can bring a file back.
class Trash
{
public:
    virtual ~Trash() = default;
    // Whether files in `folder` can go to a trash; asked before the user is told where they go.
    virtual bool availableFor(const QString& folder) const = 0;
    // Moves the file at `path` into the trash.
    [[nodiscard]] virtual Result<> moveToTrash(const QString& path) = 0;
};

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/trash.h"

namespace trek::platform {

// The freedesktop.org trash, as Qt's QFile::moveToTrash fills it: the home trash in the user's
// data folder for files on the home partition, else a trash at the top of the file's partition.
class FreedesktopTrash final : public Trash
{
public:
    bool availableFor(const QString& folder) const override;
    Result<> moveToTrash(const QString& path) override;
};

} // namespace trek::platform

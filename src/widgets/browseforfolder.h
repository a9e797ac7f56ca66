// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace trek {

struct FolderChoice
{
    bool confirmed = false; // false when the person cancelled
    QString lastFolder;     // the folder highlighted last, even when cancelled; may be empty
};

// Lets the person choose a folder, starting at `rootPath` (the home folder when that does not
// exist).
FolderChoice BrowseForFolder(QWidget* owner, const QString& rootPath);

} // namespace trek

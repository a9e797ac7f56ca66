#pragma once

#include <QString>

class QWidget;

namespace trek {

// Lets the person choose a folder, starting at `rootPath` (the home folder when that does not
// exist). Returns 0 when a folder was confirmed, 1 when the person cancelled. Either way the
// folder highlighted last is left in LastSelectedFolder().
int BrowseForFolder(QWidget* owner, const QString& rootPath);

QString LastSelectedFolder();
void SetLastSelectedFolder(const QString& folder);

} // namespace trek

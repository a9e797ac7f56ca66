// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/browseforfolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace trek {

FolderChoice BrowseForFolder(QWidget* owner, const QString& rootPath)
{
    const QFileInfo root(rootPath);
    const QString start = root.isDir() ? root.absoluteFilePath() : QDir::homePath();

    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Qt's own dialog reports each highlighted folder; the desktop's dialogs do not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(start);
    FolderChoice choice;
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog,
                     [&choice](const QString& path) {
                         if (QFileInfo(path).isDir()) {
                             choice.lastFolder = QDir::toNativeSeparators(path);
                         }
                     });
    if (dialog.exec() != QDialog::Accepted) {
        return choice;
    }
    choice.confirmed = true;
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty()) {
        choice.lastFolder = QDir::toNativeSeparators(chosen.constFirst());
    }
    return choice;
}

} // namespace trek

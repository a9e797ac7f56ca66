#include "widgets/browseforfolder.h"

#include "widgets/nextanswer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace trek {

namespace {
QString& LastFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString LastSelectedFolder()
{
    return LastFolder();
}

void SetLastSelectedFolder(const QString& folder)
{
    LastFolder() = folder;
}

int BrowseForFolder(QWidget* owner, const QString& rootPath)
{
    if (const auto answer = NextAnswer::Take(NextAnswer::Box::Folder)) {
        if (!answer->folder.isEmpty()) {
            SetLastSelectedFolder(QDir::toNativeSeparators(answer->folder));
        }
        return answer->code;
    }

    const QFileInfo root(rootPath);
    const QString start = root.isDir() ? root.absoluteFilePath() : QDir::homePath();

    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Qt's own dialog reports each highlighted folder; the desktop's dialogs do not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setDirectory(start);
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [](const QString& path) {
        if (QFileInfo(path).isDir()) {
            SetLastSelectedFolder(QDir::toNativeSeparators(path));
        }
    });
    if (dialog.exec() != QDialog::Accepted) {
        return 1;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (!chosen.isEmpty()) {
        SetLastSelectedFolder(QDir::toNativeSeparators(chosen.constFirst()));
    }
    return 0;
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/workingfolder.h"

#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace trek {

namespace {

// One name for both programs: the window and the command-line tool read the same store.
constexpr auto DataFolderName = "trekkomat";

bool IsInside(const QString& path, const QString& folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

} // namespace

QString ChooseWorkingFolder(const WorkingFolderFacts& facts)
{
    if (facts.fromBuildTree && facts.currentWritable) {
        return facts.currentFolder;
    }
    return facts.dataFolder;
}

WorkingFolderFacts CurrentWorkingFolderFacts()
{
    WorkingFolderFacts facts;
    facts.currentFolder = QDir::currentPath();
    facts.currentWritable = QFileInfo(facts.currentFolder).isWritable();
    // TREK_BUILD_TREE comes from the build (src/app/CMakeLists.txt). Both sides canonical: the
    // build folder may be reached through a link.
    const QString buildTree = QFileInfo(QStringLiteral(TREK_BUILD_TREE)).canonicalFilePath();
    const QString programFolder =
        QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    facts.fromBuildTree = IsInside(programFolder, buildTree);
    facts.dataFolder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
                           .filePath(QString::fromLatin1(DataFolderName));
    return facts;
}

Result<QString> DefaultWorkingFolder()
{
    const WorkingFolderFacts facts = CurrentWorkingFolderFacts();
    QString folder = ChooseWorkingFolder(facts);
    if (folder == facts.dataFolder) {
        if (Result<> made = platform::makePrivateFolders(folder); !made) {
            return fail(QStringLiteral("Cannot create the working folder %1: %2")
                            .arg(QDir::toNativeSeparators(folder), made.error()));
        }
    }
    return folder;
}

} // namespace trek

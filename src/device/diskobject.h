// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QDir>
#include <QString>
#include <QStringList>

namespace trek {

// Folder work on local disks for the factory pre-copy: normalising paths, making folders, listing
// files and subfolders, copying a folder's files or a whole tree onto a wristband's disk.
//
// Paths use '/' and are made absolute against the base folder given at construction; the
// process's current folder is never changed. Hidden files are included. Files are listed in
// byte order of their names (upper case before lower case) and subfolders parent first, each
// level in that order, so a copy runs the same whatever order the file system keeps.
//
// A copy walks the whole source before it writes anything: it refuses a target that is the
// source or lies inside it, and two names of one folder that differ only in case, since the
// wristband's FAT disk would hold them as one entry. Links to folders are not entered, FIFOs and
// other special files are left out, and every file reaches the disk under a temporary name
// before it takes its own, so a full disk never leaves a file cut short under its real name.
class CDiskObject final
{
public:
    // Names relative to the folder listed, or full paths.
    enum class PathForm { Relative, Full };

    explicit CDiskObject(QString baseFolder = QDir::currentPath());

    // Absolute, clean, ending in one '/'. Fails for an empty path and for one holding the
    // wildcards '*' or '?'.
    Result<QString> NormaliseFolderPath(const QString& path) const;
    // Absolute and clean; the same refusals.
    Result<QString> NormaliseFilePath(const QString& path) const;
    // Whether the folder is there and can be entered; a missing folder is no error.
    bool FolderExists(const QString& path) const;
    // Creates the folder and every missing level above it; a folder already there is success.
    Result<> MakeFolderPath(const QString& path) const;

    // The files of `folder` (links to files included, special files not), sorted. A folder that
    // is not there has none.
    Result<QStringList> ListFolderFiles(const QString& folder, PathForm form) const;
    // The same for names matching a wildcard pattern, without regard to case; "*.*" matches all.
    Result<QStringList> ListFolderFilesMatching(const QString& pattern, const QString& folder,
                                                PathForm form) const;
    // Every subfolder at every depth, parent before children. Full paths end in '/'; relative
    // ones do not.
    Result<QStringList> ListSubfolders(const QString& folder, PathForm form) const;

    // Copies the files of `source` (not its subfolders) into `target`, replacing files there.
    Result<> CopyFolderFiles(const QString& source, const QString& target) const;
    // Copies the files and all subfolders of `source` into `target`.
    Result<> CopyFolderTree(const QString& source, const QString& target) const;

private:
    struct FolderPlan
    {
        QString relative; // "" for the source itself, else "a/b/"
        QStringList files;
    };

    Result<QList<FolderPlan>> PlanCopy(const QString& source, bool withSubfolders) const;
    Result<> Walk(const QString& root, const QString& relative, bool withSubfolders,
                  QList<FolderPlan>& plan) const;
    Result<> RunCopy(const QString& source, const QString& target,
                     const QList<FolderPlan>& plan) const;

    QString m_base;
};

} // namespace trek

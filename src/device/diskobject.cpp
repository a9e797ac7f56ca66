// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/diskobject.h"

#include "platform/filetree.h"
#include "platform/regularfile.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace trek {

namespace {

using platform::EntryKind;
using platform::FolderEntry;

Failure unusablePath(const QString& path)
{
    return fail(QStringLiteral("\"%1\" is no usable path: it is empty or holds a wildcard '*' "
                               "or '?'.")
                    .arg(path));
}

bool usable(const QString& path)
{
    return !path.isEmpty() && !path.contains(u'*') && !path.contains(u'?');
}

// Byte order of the names' UTF-8, as the C library compares them.
void sortNames(QStringList& names)
{
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
}

QStringList namesOf(const QList<FolderEntry>& entries, EntryKind kind)
{
    QStringList names;
    for (const FolderEntry& entry : entries) {
        if (entry.kind == kind) {
            names << entry.name;
        }
    }
    sortNames(names);
    return names;
}

// The real path of `path`, also when its last levels do not exist yet.
QString resolvedPath(const QString& path)
{
    const QFileInfo info(QDir::cleanPath(path));
    if (info.exists()) {
        return info.canonicalFilePath();
    }
    const QString parent = info.absolutePath();
    if (info.fileName().isEmpty() || parent == info.absoluteFilePath()) {
        return info.absoluteFilePath();
    }
    return QDir(resolvedPath(parent)).filePath(info.fileName());
}

bool isSameOrInside(const QString& inner, const QString& outer)
{
    const QString prefix = outer.endsWith(u'/') ? outer : outer + u'/';
    return inner == outer || inner.startsWith(prefix);
}

// Two names that the FAT disk would keep as one entry.
Result<> checkCaseClashes(const QString& folder, const QStringList& names)
{
    QHash<QString, QString> seen;
    for (const QString& name : names) {
        const QString folded = name.toCaseFolded();
        if (const auto other = seen.constFind(folded); other != seen.constEnd()) {
            return fail(QStringLiteral("Cannot copy %1: \"%2\" and \"%3\" differ only in case and "
                                       "would be one entry on the wristband's FAT disk.")
                            .arg(folder, *other, name));
        }
        seen.insert(folded, name);
    }
    return {};
}

} // namespace

CDiskObject::CDiskObject(QString baseFolder) : m_base(std::move(baseFolder)) {}

Result<QString> CDiskObject::NormaliseFilePath(const QString& path) const
{
    if (!usable(path)) {
        return unusablePath(path);
    }
    return QDir::cleanPath(QDir(m_base).absoluteFilePath(path));
}

Result<QString> CDiskObject::NormaliseFolderPath(const QString& path) const
{
    Result<QString> normal = NormaliseFilePath(path);
    if (normal && !normal->endsWith(u'/')) {
        *normal += u'/';
    }
    return normal;
}

bool CDiskObject::FolderExists(const QString& path) const
{
    const Result<QString> folder = NormaliseFolderPath(path);
    if (!folder) {
        return false;
    }
    const QFileInfo info(*folder);
    return info.isDir() && info.isExecutable();
}

Result<> CDiskObject::MakeFolderPath(const QString& path) const
{
    const Result<QString> folder = NormaliseFolderPath(path);
    if (!folder) {
        return Failure{folder.error()};
    }
    QString level;
    for (const QString& name : folder->split(u'/', Qt::SkipEmptyParts)) {
        level += u'/' + name;
        if (Result<> made = platform::makeFolder(level); !made) {
            return made;
        }
    }
    return {};
}

Result<QStringList> CDiskObject::ListFolderFiles(const QString& folder, PathForm form) const
{
    return ListFolderFilesMatching(QStringLiteral("*"), folder, form);
}

Result<QStringList> CDiskObject::ListFolderFilesMatching(const QString& pattern,
                                                         const QString& folder, PathForm form) const
{
    const Result<QString> normal = NormaliseFolderPath(folder);
    if (!normal) {
        return Failure{normal.error()};
    }
    if (!FolderExists(*normal)) {
        return QStringList();
    }
    const Result<QList<FolderEntry>> entries = platform::listFolderEntries(*normal);
    if (!entries) {
        return Failure{entries.error()};
    }
    const QString wildcard = pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern;
    const QRegularExpression matcher(QRegularExpression::wildcardToRegularExpression(wildcard),
                                     QRegularExpression::CaseInsensitiveOption);
    QStringList files;
    for (const QString& name : namesOf(*entries, EntryKind::File)) {
        if (matcher.match(name).hasMatch()) {
            files << (form == PathForm::Full ? *normal + name : name);
        }
    }
    return files;
}

Result<QStringList> CDiskObject::ListSubfolders(const QString& folder, PathForm form) const
{
    const Result<QList<FolderPlan>> plan = PlanCopy(folder, true);
    if (!plan) {
        return Failure{plan.error()};
    }
    const QString root = *NormaliseFolderPath(folder);
    QStringList folders;
    for (const FolderPlan& level : *plan) {
        if (level.relative.isEmpty()) {
            continue;
        }
        folders << (form == PathForm::Full ? root + level.relative : level.relative.chopped(1));
    }
    return folders;
}

Result<> CDiskObject::Walk(const QString& root, const QString& relative, bool withSubfolders,
                           QList<FolderPlan>& plan) const
{
    const QString folder = root + relative;
    const Result<QList<FolderEntry>> entries = platform::listFolderEntries(folder);
    if (!entries) {
        return Failure{entries.error()};
    }
    const QStringList files = namesOf(*entries, EntryKind::File);
    const QStringList subfolders =
        withSubfolders ? namesOf(*entries, EntryKind::Folder) : QStringList();
    if (Result<> clash = checkCaseClashes(folder, files + subfolders); !clash) {
        return clash;
    }
    plan.append({relative, files});
    for (const QString& name : subfolders) {
        if (Result<> walked = Walk(root, relative + name + u'/', true, plan); !walked) {
            return walked;
        }
    }
    return {};
}

Result<QList<CDiskObject::FolderPlan>> CDiskObject::PlanCopy(const QString& source,
                                                             bool withSubfolders) const
{
    const Result<QString> root = NormaliseFolderPath(source);
    if (!root) {
        return Failure{root.error()};
    }
    QList<FolderPlan> plan;
    if (Result<> walked = Walk(*root, QString(), withSubfolders, plan); !walked) {
        return Failure{walked.error()};
    }
    return plan;
}

Result<> CDiskObject::RunCopy(const QString& source, const QString& target,
                              const QList<FolderPlan>& plan) const
{
    for (const FolderPlan& level : plan) {
        const QString into = target + level.relative;
        if (Result<> made = MakeFolderPath(into); !made) {
            return made;
        }
        for (const QString& name : level.files) {
            if (Result<> copied =
                    platform::copyFileAtomically(source + level.relative + name, into + name);
                !copied) {
                return copied;
            }
        }
    }
    // The renames and new folders of every level reach the disk before the copy counts as done.
    for (const FolderPlan& level : plan) {
        if (Result<> synced = platform::syncFolder(target + level.relative); !synced) {
            return synced;
        }
    }
    return {};
}

Result<> CDiskObject::CopyFolderFiles(const QString& source, const QString& target) const
{
    const Result<QString> from = NormaliseFolderPath(source);
    const Result<QString> to = NormaliseFolderPath(target);
    if (!from || !to) {
        return Failure{!from ? from.error() : to.error()};
    }
    if (resolvedPath(*from) == resolvedPath(*to)) {
        return fail(QStringLiteral("Cannot copy the files of %1 onto themselves.").arg(*from));
    }
    const Result<QList<FolderPlan>> plan = PlanCopy(*from, false);
    if (!plan) {
        return Failure{plan.error()};
    }
    return RunCopy(*from, *to, *plan);
}

Result<> CDiskObject::CopyFolderTree(const QString& source, const QString& target) const
{
    const Result<QString> from = NormaliseFolderPath(source);
    const Result<QString> to = NormaliseFolderPath(target);
    if (!from || !to) {
        return Failure{!from ? from.error() : to.error()};
    }
    // A copy into itself would walk what it has just written, and onto itself would replace
    // each file by itself.
    if (isSameOrInside(resolvedPath(*to), resolvedPath(*from))) {
        return fail(QStringLiteral("Cannot copy %1 into %2: the target is the folder itself or "
                                   "lies inside it.")
                        .arg(*from, *to));
    }
    const Result<QList<FolderPlan>> plan = PlanCopy(*from, true);
    if (!plan) {
        return Failure{plan.error()};
    }
    return RunCopy(*from, *to, *plan);
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/storepath.h"

#include <QRegularExpression>

namespace trek {

QString StoreFolder(const QString& workingFolder)
{
    return workingFolder + QStringLiteral("/Data");
}

QString StoreFileName(int year, int month)
{
    return QString::asprintf("Stepo%04d%02d.BIN", year, month);
}

bool IsStoreFileName(const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral("\\AStepo[0-9]{4}(0[1-9]|1[0-2])\\.BIN\\z"));
    return pattern.match(name).hasMatch();
}

QString StoreFilePath(const QString& workingFolder, int year, int month)
{
    return StoreFolder(workingFolder) + u'/' + StoreFileName(year, month);
}

} // namespace trek

#include "data/storepath.h"

namespace trek {

QString StoreFolder(const QString& workingFolder)
{
    return workingFolder + QStringLiteral("/Data");
}

QString StoreFilePath(const QString& workingFolder, int year, int month)
{
    return StoreFolder(workingFolder) + QString::asprintf("/Stepo%04d%02d.BIN", year, month);
}

} // namespace trek

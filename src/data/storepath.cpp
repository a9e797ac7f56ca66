#include "data/storepath.h"

#include "app/appstate.h"

namespace trek {

QString StoreFolder(const QString& workingFolder)
{
    return workingFolder + QStringLiteral("/Data");
}

QString StoreFilePath(const QString& workingFolder, int year, int month)
{
    return StoreFolder(workingFolder) + QString::asprintf("/Stepo%04d%02d.BIN", year, month);
}

QString StoreFilePath(int year, int month)
{
    return StoreFilePath(appState().workingFolder, year, month);
}

} // namespace trek

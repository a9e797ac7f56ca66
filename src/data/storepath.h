#pragma once

#include <QString>

namespace trek {

// "<working folder>/Data": every reader and writer of the store uses this spelling, since on a
// case-sensitive file system "data" would be another folder.
QString StoreFolder(const QString& workingFolder);
// "<working folder>/Data/StepoYYYYMM.BIN".
QString StoreFilePath(const QString& workingFolder, int year, int month);

} // namespace trek

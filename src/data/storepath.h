// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// "<working folder>/Data": every reader and writer of the store uses this spelling, since on a
// case-sensitive file system "data" would be another folder.
QString StoreFolder(const QString& workingFolder);
// "StepoYYYYMM.BIN", the name of a month's store file inside the store folder.
QString StoreFileName(int year, int month);
// Whether `name` is a store file's name and nothing else: no folder, no other file.
bool IsStoreFileName(const QString& name);
// "<working folder>/Data/StepoYYYYMM.BIN".
QString StoreFilePath(const QString& workingFolder, int year, int month);

} // namespace trek

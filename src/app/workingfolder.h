// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>

namespace trek {

// What decides where a program keeps its settings file and store when no folder is named on
// its command line.
struct WorkingFolderFacts
{
    QString currentFolder;
    bool currentWritable = false;
    bool fromBuildTree = false; // the program file lies in the tree it was built in
    QString dataFolder;         // the user's data folder for the programs
};

// The current folder for a program started from its build tree in a writable folder, as the
// tests, the demo and a developer use it; otherwise the user's data folder: an installed
// program's folder is not writable, and a desktop menu starts it in the home folder, which
// should not fill up with store files. Both programs choose alike, so they share one store.
QString ChooseWorkingFolder(const WorkingFolderFacts& facts);

// The facts of this process: the current folder, the folder of the program file, and
// $XDG_DATA_HOME/trekkomat (by default ~/.local/share/trekkomat).
WorkingFolderFacts CurrentWorkingFolderFacts();

// The working folder chosen for this process; the data folder is created when it is the one.
Result<QString> DefaultWorkingFolder();

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// The version of this build, "2.10.0", as the project's CMake files number it: the one number
// that --version, the package, the AppStream release and the manual pages all show.
QString ProgramVersion();

// "trekkomat-cli 2.10.0": the application's name and the version, as --version prints them.
QString VersionLine();

} // namespace trek

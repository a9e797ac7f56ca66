// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace trek {

// The updater program the main program writes out and starts at exit after a verified
// download (built from src/updater/ with this program).
QByteArray UpdaterImage();

} // namespace trek

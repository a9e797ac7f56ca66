// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/atomicfile.h"

class QWidget;
class QString;

namespace trek {

// Draws `window` as it looks now into a PNG at `path`. The file is replaced whole or not at all.
Result<> SaveWindowShot(QWidget& window, const QString& path);

} // namespace trek

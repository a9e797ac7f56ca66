// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QString>

namespace trek::platform {

// An emulated wristband lives only as long as the process, while its image file stays. A small
// mark beside the image remembers that exactly these records were collected, so that the next
// run sees a wristband without new data, as a real one would be, instead of counting the same
// steps again.
QString collectedMarkPath(const QString& imagePath);
bool isMarkedCollected(const QString& imagePath, const QByteArray& image);
Result<> markCollected(const QString& imagePath, const QByteArray& image);

} // namespace trek::platform

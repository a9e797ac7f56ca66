#pragma once

#include "platform/result.h"

#include <QByteArrayView>
#include <QString>

namespace trek::platform {

// Replaces the file at `path` with `bytes` so that a crash, a full disk or a failed write never
// leaves a torn or empty file: either the old content or the new one is on disk afterwards.
[[nodiscard]] Result<> writeFileAtomically(const QString& path, QByteArrayView bytes);

} // namespace trek::platform

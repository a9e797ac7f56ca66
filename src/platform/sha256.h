// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace trek::platform {

// The 32-byte SHA-256 digest of `bytes`. Every day file and every journal is hashed, so this goes
// through the system's crypto library, several times faster than a portable implementation.
QByteArray sha256(QByteArrayView bytes);

} // namespace trek::platform

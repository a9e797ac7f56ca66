// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QByteArray>
#include <QByteArrayView>

namespace trek {

// Checks the detached Ed25519 signature (64 raw bytes) of a downloaded program file against a
// public key in PEM form. Anything but a valid signature by that key fails with the reason.
[[nodiscard]] Result<> VerifyUpdateSignature(QByteArrayView file, QByteArrayView signature,
                                             QByteArrayView publicKeyPem);

// The public key the program was built with (the TREK_UPDATE_PUBLIC_KEY file).
QByteArray BuiltInUpdateKey();

} // namespace trek

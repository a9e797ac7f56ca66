// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QUrl>

namespace trek {

// The longest address the settings file's "UpdateURL" may hold; a longer one is never cut
// (that would be another address) but means no check at all.
inline constexpr qsizetype MaxUpdateAddressChars = 511;

// The server's address of the newest program file for the K7; the "%5C" are sent as they stand.
QString DefaultUpdateAddress();

// Where the detached signature of the program file at `address` lies.
QUrl SignatureAddress(const QUrl& address);

// An address the update may use: https anywhere, plain http only on this machine (tests and
// demos serve there), nothing else; never longer than MaxUpdateAddressChars.
Result<QUrl> CheckUpdateAddress(const QString& text);

// Whether a redirect from `from` to `to` may be followed: `to` must be an address the update
// may use, and a secure transfer never continues over plain http.
Result<> CheckRedirect(const QUrl& from, const QUrl& to);

} // namespace trek

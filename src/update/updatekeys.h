// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <QTimeZone>
#include <QtGlobal>

namespace trek {

// "0x5404A0C0": a stamp as the keys and the command line show it.
QString StampHex(quint32 stamp);

// "0x5404A0C0 --> Mon Sep  1 16:00:00 2014": a program stamp and its date and time as the C
// library's ctime writes them, without the line break ctime ends with (a settings value holds
// one line).
QString UpdateKeyText(quint32 stamp, const QTimeZone& zone = QTimeZone::systemTimeZone());

// Writes "Update" / "Local" and "Update" / "Server" in one replacement of the settings file.
[[nodiscard]] Result<> WriteUpdateKeys(quint32 localStamp, quint32 serverStamp);

} // namespace trek

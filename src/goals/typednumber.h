// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QString>
#include <optional>

namespace trek {

// What a person typed into a number box, read the way the C library's "%d" and "%f" read it:
// leading blanks skipped, then as much of a number as there is (with '.' as the decimal point,
// whatever the locale); whatever follows is ignored. A box without a number gives nullopt. A
// number that does not fit, or is not finite, fails with a sentence naming the box (`what`).
Result<std::optional<int>> ReadTypedWhole(const QString& text, const QString& what);
Result<std::optional<double>> ReadTypedReal(const QString& text, const QString& what);

// A converted value as a stored integer: truncated toward zero, or rounded to the nearest. Fails
// instead of wrapping when the value is not finite or lies outside the 32-bit range.
Result<int> TruncatedToInt(double value, const QString& what);
Result<int> RoundedToInt(double value, const QString& what);

} // namespace trek

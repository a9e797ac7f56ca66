// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// The real number at the start of a settings text, as the C library's atof() reads it but always
// with '.' as the decimal point, whatever the user's locale: blanks, a sign, digits, a fraction
// and an exponent; text with no number gives 0.0.
double RealFromText(const QString& text);

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// The maker's web site, opened by the picture button. Kept here alone so that the address is
// changed in one place.
inline QString MakerWebSite()
{
    return QStringLiteral("https://www.example.com/k7/");
}

} // namespace trek

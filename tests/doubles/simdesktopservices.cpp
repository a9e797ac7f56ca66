// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubles/simdesktopservices.h"

namespace trek::platform {

bool SimDesktopServices::openUrl(const QString& address)
{
    m_openedUrls.append(address);
    return true;
}

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "doubles/simsystemservices.h"

namespace trek::platform {

bool SimSystemServices::startProgram(const QString& program, const QStringList& arguments)
{
    m_started.append({program, arguments});
    return m_startSucceeds;
}

} // namespace trek::platform

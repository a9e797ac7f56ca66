// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/processrandom.h"

namespace trek::platform {

ProcessRandom& ProcessRandom::instance()
{
    static ProcessRandom shared;
    return shared;
}

} // namespace trek::platform

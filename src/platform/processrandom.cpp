#include "platform/processrandom.h"

namespace trek::platform {

ProcessRandom& ProcessRandom::instance()
{
    static ProcessRandom shared;
    return shared;
}

} // namespace trek::platform

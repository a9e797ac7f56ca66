#include "platform/services.h"

namespace trek::platform {

Services& services()
{
    static Services installed;
    return installed;
}

} // namespace trek::platform

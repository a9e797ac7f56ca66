#include "platform/platformgeneration.h"

namespace trek::platform {

int ClassifyPlatform(int platformId, int majorVersion, int minorVersion)
{
    switch (platformId) {
    case 0:
        return 1;
    case 1:
        switch (minorVersion) {
        case 0:
            return 2;
        case 10:
            return 3;
        case 90:
            return 4;
        default:
            return 0;
        }
    case 2:
        if (majorVersion == 4) {
            return 5;
        }
        if (majorVersion == 5) {
            return minorVersion == 0 ? 6 : 7;
        }
        return majorVersion == 6 ? 8 : 0;
    default:
        return 0;
    }
}

} // namespace trek::platform

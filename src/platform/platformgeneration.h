#pragma once

namespace trek::platform {

// Generation code of a platform from what its version query reports: 1 for platform id 0;
// for id 1 the minor versions 0, 10 and 90 give 2, 3 and 4; for id 2 major 4 gives 5, 5.0 gives
// 6, 5.x gives 7 and major 6 gives 8. Everything else, including a failed query, is 0. Pages
// compare the code against 7, so the numbers must not change.
int ClassifyPlatform(int platformId, int majorVersion, int minorVersion);

} // namespace trek::platform

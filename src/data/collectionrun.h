#pragma once

#include "data/collectionreport.h"

namespace trek {

// The collection run for the wristband in appState().link: asks, reads its records into the
// store, tells the pages to reload and takes the wristband's settings over. Start-up plugs it
// into discovery through appState().hooks.collectionRun.
CollectionReport CollectWristband();

// The 80 bytes of the marker file the program leaves on a file-model wristband.
inline constexpr int MarkerFileLength = 80;

} // namespace trek

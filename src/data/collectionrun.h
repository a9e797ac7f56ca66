#pragma once

namespace trek {

// The collection run for the wristband in appState().link: asks, reads its records into the
// store, tells the pages to reload and takes the wristband's settings over. Its outcome is kept
// in CurrentCollectionReport().
void CollectWristband();

// Lets discovery start CollectWristband() for every wristband it finds; called once at start.
void InstallCollectionRun();

// The 80 bytes of the marker file the program leaves on a file-model wristband.
inline constexpr int MarkerFileLength = 80;

} // namespace trek

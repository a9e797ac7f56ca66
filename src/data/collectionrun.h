// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/collectionreport.h"

namespace trek {

// The collection run for the wristband in appState().link: asks, reads its records into the
// store, tells the pages to reload and takes the wristband's settings over. Start-up plugs it
// into discovery through appState().hooks.collectionRun.
CollectionReport CollectWristband();

} // namespace trek

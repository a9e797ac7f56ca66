// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scsitransport.h"
#include "platform/wristbandmodels.h"

namespace trek {

struct CollectionReport;

// Readings of a pass-through wristband through its open volume handle. Each stores every record
// it read and only then ends the collection on the device, so the wristband clears its records
// only once they are safe. When a read fails or the records cannot be stored, nothing is stored,
// the collection is not ended and the wristband offers the same records again. True when the
// records were stored; failures are told to the user and kept in `report`.
bool ReadK7Memory(platform::DeviceHandle handle, CollectionReport& report);
bool ReadK9EBlocks(platform::DeviceHandle handle, CollectionReport& report);
// The reading of `model`, which every model has.
bool ReadPassThroughRecords(WristbandModel model, platform::DeviceHandle handle,
                            CollectionReport& report);

// A K9E stream is given up after this many blocks without an end.
inline constexpr int MaxK9EBlocks = 99;

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/recordformats.h"

#include <QByteArrayView>

namespace trek {

class StoreTransaction;

// Each merge adds one decoded record to the open months of `store`; false when a month it needs
// cannot be loaded (store.error() says why), in which case the whole reading must be given up.

// A whole text day file for `date`. Lines that do not fit the form are passed over.
bool MergeTextDayFile(QByteArrayView content, const DayFileDate& date, StoreTransaction& store);
// A KDX day file of at least KdxDayFileLength bytes.
bool MergeKdxDayFile(QByteArrayView content, const DayFileDate& date, StoreTransaction& store);
bool MergeK7Record(const K7Record& record, StoreTransaction& store);
// The twelve hours of a block run on into the following calendar days and months when the block
// starts late in the day, as the wristband's clock did.
bool MergeK9EBlock(const K9EBlock& block, StoreTransaction& store);

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/langtable.h"

namespace trek {

// Text of `row` (0..LangRowCount - 1) in the interface language of appState().
QString GetLangText(int row);

} // namespace trek

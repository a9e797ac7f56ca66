// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/langtable.h"
#include "app/lang/languages.h"

namespace trek {

// Text of `row` in the interface language of appState().
QString GetLangText(TextRow row);
// The interface language of appState().
const Language& CurrentLanguage();

} // namespace trek

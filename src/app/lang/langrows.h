// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/languages.h"
#include "app/lang/textrows.h"

#include <array>

namespace trek {

// One row of interface text: its name, then a cell per language in the order of Languages. The
// cells are UTF-8 (u8 literals), so the table reads the same whatever the compiler's own source
// or execution character set is.
struct LangRow
{
    TextRow name;
    std::array<const char8_t*, LanguageCount> cells;
};

using LangRowTable = std::array<LangRow, LangRowCount>;

// The compiled-in table; callers go through GetLangText, which guards the row range.
const LangRowTable& LangRows();

} // namespace trek

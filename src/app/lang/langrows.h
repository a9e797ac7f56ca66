// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/lang/langtable.h"

#include <QString>
#include <array>

namespace trek {

// One row of interface text in the three languages. The cells are UTF-8 (u8 literals), so the
// table reads the same whatever the compiler's own source or execution character set is.
struct LangRow
{
    const char8_t* english;
    const char8_t* traditional;
    const char8_t* simplified;
};

using LangRowTable = std::array<LangRow, LangRowCount>;

// The compiled-in table; callers go through GetLangText, which guards the row range.
const LangRowTable& LangRows();

// The cell of a row for a language index (1 Traditional, 2 Simplified, anything else English).
QString LangCell(const LangRow& row, int languageIndex);

} // namespace trek

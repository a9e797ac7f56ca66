// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/langtable.h"

#include "app/lang/langrows.h"

namespace trek {

QString GetLangText(TextRow row, int languageIndex)
{
    // Callers compute rows from a block's first plus an offset; an offset gone wrong must show as
    // a missing caption, not read past the table.
    const int at = static_cast<int>(row);
    if (at < 0 || at >= LangRowCount) {
        return {};
    }
    const LangRow& cells = LangRows()[static_cast<std::size_t>(at)];
    return QString::fromUtf8(
        cells.cells[static_cast<std::size_t>(LanguageAt(languageIndex).index)]);
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/langtable.h"

#include "app/lang/langrows.h"

namespace trek {

QString GetLangText(int row, int languageIndex)
{
    // Callers compute rows from a base plus an offset; an index gone wrong must show as a missing
    // caption, not read past the table.
    if (row < 0 || row >= LangRowCount) {
        return {};
    }
    return LangCell(LangRows()[static_cast<std::size_t>(row)], languageIndex);
}

QString LangCell(const LangRow& row, int languageIndex)
{
    switch (languageIndex) {
    case static_cast<int>(Language::TraditionalChinese):
        return QString::fromUtf8(row.traditional);
    case static_cast<int>(Language::SimplifiedChinese):
        return QString::fromUtf8(row.simplified);
    default:
        // Any stored value other than 1 or 2 (old, hand-edited, negative) means English.
        return QString::fromUtf8(row.english);
    }
}

int DefaultLanguageForLocale(const QString& abbreviation)
{
    // Only the first three letters count: the system may append a variant letter.
    const QStringView prefix = QStringView(abbreviation).left(3);
    if (prefix == u"CHS") {
        return static_cast<int>(Language::SimplifiedChinese);
    }
    if (prefix == u"CHT") {
        return static_cast<int>(Language::TraditionalChinese);
    }
    return static_cast<int>(Language::English);
}

int UnitBlockRow(int languageIndex)
{
    // Mainland readers expect 千克 / 厘米 rather than the 公斤 / 公分 of the first block.
    constexpr int CommonUnitBlock = 139;
    constexpr int SimplifiedUnitBlock = 143;
    return languageIndex == static_cast<int>(Language::SimplifiedChinese) ? SimplifiedUnitBlock
                                                                          : CommonUnitBlock;
}

} // namespace trek

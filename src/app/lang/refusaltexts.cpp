#include "app/lang/refusaltexts.h"

#include "app/lang/langrows.h"

#include <array>

namespace trek {

namespace {

// clang-format off
constexpr std::array<LangRow, 3> Rows = {{
    {u8"%s must be between %s and %s.", u8"%s必須介於 %s 與 %s 之間。",
     u8"%s必须介于 %s 与 %s 之间。"},
    {u8"%s must be above 0.", u8"%s必須大於 0。", u8"%s必须大于 0。"},
    {u8"%s must be 0 or more.", u8"%s不可小於 0。", u8"%s不可小于 0。"},
}};
// clang-format on

} // namespace

QString GetRefusalText(RefusalText text, int languageIndex)
{
    return LangCell(Rows.at(static_cast<std::size_t>(text)), languageIndex);
}

} // namespace trek

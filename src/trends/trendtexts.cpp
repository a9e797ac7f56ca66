// SPDX-License-Identifier: GPL-3.0-or-later
#include "trends/trendtexts.h"

#include "app/appstate.h"
#include "app/lang/filltext.h"
#include "app/lang/languages.h"

#include <array>

namespace trek {

namespace {

// In the order of TrendText.
// clang-format off
// One cell per language, in the order of the language table; a language without its own cell
// here reads English.
using TrendRow = std::array<const char8_t*, LanguageCount>;
constexpr std::array<TrendRow, 46> Rows{{
    {u8"Trends", u8"趨勢", u8"趋势"},
    {u8"Trends\u2026", u8"趨勢\u2026", u8"趋势\u2026"},
    {u8"Steps", u8"步數", u8"步数"},
    {u8"Last %s days", u8"最近 %s 天", u8"最近 %s 天"},
    {u8"Daily goal", u8"每日目標", u8"每日目标"},
    {u8"Set", u8"設定", u8"设定"},
    {u8"steps", u8"步", u8"步"},
    {u8"Average", u8"平均", u8"平均"},
    {u8"%s steps a day", u8"每天 %s 步", u8"每天 %s 步"},
    {u8"Best day", u8"最佳一天", u8"最佳一天"},
    {u8"Days at goal", u8"達標天數", u8"达标天数"},
    {u8"%s of %s", u8"%s / %s", u8"%s / %s"},
    {u8"Current run", u8"目前連續達標", u8"目前连续达标"},
    {u8"Longest run", u8"最長連續達標", u8"最长连续达标"},
    {u8"%s days", u8"%s 天", u8"%s 天"},
    {u8"1 day", u8"1 天", u8"1 天"},
    {u8"Total steps", u8"總步數", u8"总步数"},
    {u8"Distance", u8"距離", u8"距离"},
    {u8"Calories", u8"卡路里", u8"卡路里"},
    {u8"km", u8"公里", u8"公里"},
    {u8"miles", u8"英里", u8"英里"},
    {u8"kcal", u8"大卡", u8"千卡"},
    {u8"Sleep", u8"睡眠", u8"睡眠"},
    {u8"Last %s nights", u8"最近 %s 晚", u8"最近 %s 晚"},
    {u8"Average sleep time", u8"平均睡眠時間", u8"平均睡眠时间"},
    {u8"Average efficiency", u8"平均效率", u8"平均效率"},
    {u8"Nights worn", u8"佩戴夜數", u8"佩戴夜数"},
    {u8"Save as CSV\u2026", u8"另存為 CSV\u2026", u8"另存为 CSV\u2026"},
    {u8"Save picture\u2026", u8"儲存圖片\u2026", u8"保存图片\u2026"},
    {u8"7-day average", u8"7 天平均", u8"7 天平均"},
    {u8"Goal", u8"目標", u8"目标"},
    {u8"At goal", u8"達標", u8"达标"},
    {u8"Below goal", u8"未達標", u8"未达标"},
    {u8"Efficiency", u8"效率", u8"效率"},
    {u8"Steps a day", u8"每日步數", u8"每日步数"},
    {u8"Sleep (h)", u8"睡眠 (小時)", u8"睡眠 (小时)"},
    {u8"Days", u8"日", u8"日"},
    {u8"Weeks", u8"週", u8"周"},
    {u8"Nights", u8"夜", u8"夜"},
    {u8"%s ~ %s: %s steps on %s days with data, %s a day on average; best day %s with %s "
     u8"steps; %s days at the goal of %s steps; current run %s, longest %s",
     u8"%s ~ %s：%s 步，共 %s 天有資料，平均每天 %s 步；最佳一天 %s，%s 步；"
     u8"%s 天達到 %s 步的目標；目前連續 %s，最長連續 %s",
     u8"%s ~ %s：%s 步，共 %s 天有数据，平均每天 %s 步；最佳一天 %s，%s 步；"
     u8"%s 天达到 %s 步的目标；目前连续 %s，最长连续 %s"},
    {u8"%s ~ %s: no steps stored", u8"%s ~ %s：沒有步數資料", u8"%s ~ %s：没有步数数据"},
    {u8"%s nights %s ~ %s, %s worn: average sleep time %s, average efficiency %s%%; longest "
     u8"sleep %s in the night of %s",
     u8"%s 晚 %s ~ %s，佩戴 %s 晚：平均睡眠時間 %s，平均效率 %s%%；最長睡眠 %s，在 %s 晚",
     u8"%s 晚 %s ~ %s，佩戴 %s 晚：平均睡眠时间 %s，平均效率 %s%%；最长睡眠 %s，在 %s 晚"},
    {u8"%s nights %s ~ %s: none worn", u8"%s 晚 %s ~ %s：沒有佩戴", u8"%s 晚 %s ~ %s：没有佩戴"},
    {u8"Not saved: %s", u8"未儲存：%s", u8"未保存：%s"},
    {u8"CSV files (*.csv)", u8"CSV 檔案 (*.csv)", u8"CSV 文件 (*.csv)"},
    {u8"PNG pictures (*.png)", u8"PNG 圖片 (*.png)", u8"PNG 图片 (*.png)"},
}};
// clang-format on

static_assert(Rows.size() == static_cast<std::size_t>(TrendText::PngFiles) + 1,
              "one row for every text");

} // namespace

QString TrendLangText(TrendText text)
{
    const TrendRow& row = Rows.at(static_cast<std::size_t>(text));
    const char8_t* cell = row.at(static_cast<std::size_t>(LanguageAt(appState().language).index));
    return QString::fromUtf8(reinterpret_cast<const char*>(cell != nullptr ? cell : row.front()));
}

QString DayCountText(qint64 days)
{
    if (days == 1) {
        return TrendLangText(TrendText::OneDay);
    }
    return FillText(TrendLangText(TrendText::DayCount), {QString::number(days)});
}

} // namespace trek

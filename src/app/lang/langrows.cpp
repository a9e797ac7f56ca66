// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lang/langrows.h"

#include <algorithm>

namespace trek {

namespace {

using enum TextRow;

// One row per text, in the order of TextRow, its cells in the order of Languages. The English
// wording, quirks included, is what users and stored screenshots know. Every row keeps its printf
// placeholders in the same order in all columns, because callers fill one format string whatever
// the language.
// clang-format off
constexpr LangRowTable Rows = {{
    {ProgramName, {u8" Trekkomat_2 ", u8" Trekkomat_2 ", u8" Trekkomat_2 "}},
    {Height, {u8"Height", u8"身高", u8"身高"}},
    {Weight, {u8"Weight", u8"體重", u8"体重"}},
    {StepSize, {u8"StepSize", u8"步幅", u8"步幅"}},
    {DayReport, {u8"Day Report", u8"日報表", u8"日报表"}},
    {MonthReport, {u8"Month Report", u8"月報表", u8"月报表"}},
    {Steps, {u8"Steps", u8"步數", u8"步数"}},
    // The Chinese cells of Hours, Days, OldPound, OldInch and WeekReport say what those screens
    // really show (time of day, date, kilogram, centimetre, week report), not what the English
    // words say.
    {Hours, {u8"Hours", u8"時刻", u8"时刻"}},
    {Days, {u8"Days", u8"日期", u8"日期"}},
    {Birthday, {u8"Birthday", u8"生日", u8"生日"}},
    {Calorie, {u8"Calorie", u8"卡路里", u8"卡路里"}},
    {OldPound, {u8"Pound", u8"公斤", u8"公斤"}},
    {OldInch, {u8"inch", u8"公分", u8"公分"}},
    {OldMetre, {u8"M", u8"公尺", u8"公尺"}},
    {OldKilometre, {u8"Km", u8"公里", u8"公里"}},
    {StepsPerSecond, {u8"Steps/s", u8"步/秒", u8"步/秒"}},
    {KmPerHour, {u8"Km/H", u8"公里/時", u8"公里/时"}},
    {Distance, {u8"Distance(%s)", u8"距離(%s)", u8"距离(%s)"}},
    {Speed, {u8"Speed(%s/H)", u8"速度(%s/時)", u8"速度(%s/时)"}},
    {CalorieKcal, {u8"Calorie(KCal)", u8"卡路里(大卡)", u8"卡路里(千卡)"}},
    {WeekReport, {u8"Day Report(Count)", u8"周報表", u8"周报表"}},
    {DataCollection, {u8"Data Collection", u8"資料收集", u8"数据收集"}},
    {CollectFromDiskQuestion,
     {u8"Find Stepo USB Disk (Disk-%c), Start to collect data ?",
      u8"找到 Stepo USB 磁碟 (Disk-%c)，開始收集資料？",
      u8"找到 Stepo USB 磁盘 (Disk-%c)，开始收集数据？"}},
    {Report, {u8"Report", u8"報表", u8"报表"}},
    {DayLife, {u8"DayLife", u8"累計統計", u8"累计统计"}},
    {MissionTarget, {u8"Mission/Target", u8"任務/目標", u8"任务/目标"}},
    {PersonalInformation, {u8"Personal Information", u8"個人資料", u8"个人资料"}},
    {Sunday, {u8"Sun", u8"週日", u8"周日"}},
    {Monday, {u8"Mon", u8"週一", u8"周一"}},
    {Tuesday, {u8"Tue", u8"週二", u8"周二"}},
    {Wednesday, {u8"Wed", u8"週三", u8"周三"}},
    {Thursday, {u8"Thu", u8"週四", u8"周四"}},
    {Friday, {u8"Fri", u8"週五", u8"周五"}},
    {Saturday, {u8"Sat", u8"週六", u8"周六"}},
    {TotalSteps, {u8"Total Steps", u8"總步數", u8"总步数"}},
    {TotalDistance, {u8"Total Distance", u8"總距離", u8"总距离"}},
    {TotalTime, {u8"Total Time", u8"總時間", u8"总时间"}},
    {TotalKcal, {u8"Total KCal", u8"總卡路里", u8"总卡路里"}},
    {DaysUnit, {u8"Days", u8"天", u8"天"}},
    {HoursUnit, {u8"Hours", u8"小時", u8"小时"}},
    {MinutesUnit, {u8"Mintues", u8"分鐘", u8"分钟"}},
    {Save, {u8"Save", u8"儲存", u8"保存"}},
    {KindSteps, {u8"Steps", u8"步數", u8"步数"}},
    {KindDistances, {u8"Distances", u8"距離", u8"距离"}},
    {KindTimes, {u8"Times", u8"時間", u8"时间"}},
    {KindKcals, {u8"KCals", u8"卡路里", u8"卡路里"}},
    {TargetSteps, {u8"Target Steps", u8"目標步數", u8"目标步数"}},
    {TargetDistance, {u8"Target Distance(%s)", u8"目標距離(%s)", u8"目标距离(%s)"}},
    {TargetTime, {u8"Target Time(Hours)", u8"目標時間(小時)", u8"目标时间(小时)"}},
    {TargetCalorie, {u8"Target Calorie(KCal)", u8"目標卡路里(大卡)", u8"目标卡路里(千卡)"}},
    {ResetZero, {u8"Reset/Zero", u8"重設/歸零", u8"重设/归零"}},
    {ConfirmClearAll,
     {u8"Confirm to clear all data (Y/N) ?",
      u8"確定清除所有資料 (Y/N) ?",
      u8"确定清除所有数据 (Y/N) ?"}},
    {Start, {u8"Start", u8"開始", u8"开始"}},
    {Stop, {u8"Stop", u8"停止", u8"停止"}},
    {Week, {u8"Week", u8"星期", u8"星期"}},
    {PercentCompleted, {u8"%d %% Compeleted", u8"已完成 %d %%", u8"已完成 %d %%"}},
    {Congratulation, {u8"Congraturation !!!", u8"恭喜 !!!", u8"恭喜 !!!"}},
    {MissionCompleted, {u8", You complete the mission", u8"，您已完成任務", u8"，您已完成任务"}},
    {RunningTime,
     {u8"Running %d Days %d Hours %d Minutes",
      u8"已執行 %d 天 %d 小時 %d 分鐘",
      u8"已运行 %d 天 %d 小时 %d 分钟"}},
    {Maintain, {u8"Maintain", u8"維護", u8"维护"}},
    {PlugOutToSetUp,
     {u8"Please PLUG-OUT disk to start SETUP",
      u8"請拔除磁碟以開始設定",
      u8"请拔出磁盘以开始设定"}},
    {FasterPerDay, {u8"Faster %d sec/day", u8"每天快 %d 秒", u8"每天快 %d 秒"}},
    {SlowerPerDay, {u8"Slower %d sec/day", u8"每天慢 %d 秒", u8"每天慢 %d 秒"}},
    {Execute, {u8"Excute", u8"執行", u8"执行"}},
    {ShowTime, {u8"Show Time", u8"顯示時間", u8"显示时间"}},
    {ShowDay, {u8"Show Day", u8"顯示日期", u8"显示日期"}},
    {ShowYear, {u8"Show Year", u8"顯示年份", u8"显示年份"}},
    {ShowDiskSize, {u8"Show DiskSize", u8"顯示磁碟容量", u8"显示磁盘容量"}},
    {ShowFreeSize, {u8"Show FreeSize", u8"顯示剩餘空間", u8"显示剩余空间"}},
    {ShowBattery, {u8"Show Battery", u8"顯示電量", u8"显示电量"}},
    {ShowStepo, {u8"Show Stepo", u8"顯示 Stepo", u8"显示 Stepo"}},
    {PersonalGraphic, {u8"Personal Graphic", u8"個人圖片", u8"个人图片"}},
    {PersonalSetting, {u8"Personal Setting", u8"個人設定", u8"个人设定"}},
    {PcSimulation, {u8"PC Simulation", u8"電腦模擬", u8"电脑模拟"}},
    {GoodFeeling, {u8"Good Feeling", u8"好心情", u8"好心情"}},
    {Go, {u8"Go !!!", u8"出發 !!!", u8"出发 !!!"}},
    {PersonalMessage, {u8"Personal Message", u8"個人訊息", u8"个人信息"}},
    {DiskNotFound, {u8"Not found %s Stepo-Disk", u8"找不到 %s Stepo 磁碟", u8"找不到 %s Stepo 磁盘"}},
    {DisplaySpeed, {u8"Disp Speed", u8"顯示速度", u8"显示速度"}},
    {DataCollectionError,
     {u8"### Data Collection Error ###",
      u8"### 資料收集錯誤 ###",
      u8"### 数据收集错误 ###"}},
    {ConfirmDelete, {u8"Confirm DELETE ?(Y/N)", u8"確定刪除 ?(Y/N)", u8"确定删除 ?(Y/N)"}},
    {Push, {u8"Push", u8"傳送", u8"传送"}},
    {Clear, {u8"Clear", u8"清除", u8"清除"}},
    {TwentyFourHour, {u8"24-hour", u8"24 小時制", u8"24 小时制"}},
    {TwelveHour, {u8"12-hour", u8"12 小時制", u8"12 小时制"}},
    {SelectDisk, {u8"Select Disk", u8"選擇磁碟", u8"选择磁盘"}},
    {TimeSet, {u8"Time Set", u8"時間設定", u8"时间设定"}},
    {Message, {u8"Message", u8"訊息", u8"信息"}},
    // The clock-check report keeps "Driver" and "Model" in every language; only the captions
    // of the four time lines are translated.
    {ClockCheckReport,
     {u8"Driver %c:\nModel: %s%c\n\nLast Update: %s\n\nCurrent Time:%s\n"
      u8"Watch Time:  %s\n\nDifference: %s",
      u8"Driver %c:\nModel: %s%c\n\n前次設定: %s\n\n目前時間: %s\n手表時間: %s\n\n"
      u8"誤差: %s",
      u8"Driver %c:\nModel: %s%c\n\n前次设定: %s\n\n目前时间: %s\n手表时间: %s\n\n"
      u8"误差: %s"}},
    {CheckWatch, {u8"Check Watch", u8"檢查手表", u8"检查手表"}},
    {WearIt, {u8"Wear it", u8"配戴", u8"佩戴"}},
    {LedPowerControl, {u8"LED Power Control", u8"LED 電源控制", u8"LED 电源控制"}},
    {BatteryCurve, {u8"Battery Curve", u8"電池曲線", u8"电池曲线"}},
    {Battery, {u8"Battery", u8"電池", u8"电池"}},
    {TimeInHours, {u8"Time(Hour)", u8"時間(小時)", u8"时间(小时)"}},
    {Upgrading, {u8"Upgrade ...", u8"升級 ...", u8"升级 ..."}},
    {NewVersionQuestion,
     {u8"Find a NEW version, start upgrade (Yes/No) ?",
      u8"發現新版本，開始升級 (Yes/No) ?",
      u8"发现新版本，开始升级 (Yes/No) ?"}},
    {ToolUpdated,
     {u8"Tool is updated, Close and ReStart it",
      u8"程式已更新，請關閉後重新啟動",
      u8"程序已更新，请关闭后重新启动"}},
    {NoNewVersion, {u8"No new version", u8"沒有新版本", u8"没有新版本"}},
    {UserOption, {u8"User Option", u8"使用者選項", u8"用户选项"}},
    {EnableUpgradeCheck, {u8"Enable Upgrade Check", u8"啟用更新檢查", u8"启用更新检查"}},
    {AutoConfirmed, {u8"Auto Confirmed", u8"自動確認", u8"自动确认"}},
    {EnableSleepMonitor, {u8"Enable/Start Sleep-Monitor", u8"啟用/開始睡眠監測", u8"启用/开始睡眠监测"}},
    {OneTime, {u8"One Time", u8"單次", u8"单次"}},
    {Everyday, {u8"Everyday", u8"每天", u8"每天"}},
    {FactoryMode, {u8"Factory Mode", u8"工廠模式", u8"工厂模式"}},
    {PlugInAutoSetup, {u8"Plug-in DISK, Auto Setup", u8"插入磁碟，自動設定", u8"插入磁盘，自动设定"}},
    {DiskConstructing,
     {u8"Disk-%c Constructing ... ...",
      u8"Disk-%c 設定中 ... ...",
      u8"Disk-%c 设定中 ... ..."}},
    {SetupOk,
     {u8">>> Setup OK, Remove Disk <<<",
      u8">>> 設定完成，請移除磁碟 <<<",
      u8">>> 设定完成，请移除磁盘 <<<"}},
    {SetupFailed, {u8"### Setup failed ###", u8"### 設定失敗 ###", u8"### 设定失败 ###"}},
    {Auto, {u8"Auto", u8"自動", u8"自动"}},
    {Manual, {u8"Manual", u8"手動", u8"手动"}},
    {PreCopy, {u8"PreCopy", u8"預先複製", u8"预先复制"}},
    {Setup, {u8"Setup", u8"設定", u8"设定"}},
    {SleepQuality, {u8"Sleep Quaility", u8"睡眠品質", u8"睡眠质量"}},
    {BedTime, {u8"Bad Time", u8"就寢時間", u8"就寝时间"}},
    {AwakeTime, {u8"Awake Time", u8"起床時間", u8"起床时间"}},
    {SleepTime, {u8"Sleep Time", u8"睡眠時間", u8"睡眠时间"}},
    {Efficiency, {u8"Efficiency", u8"睡眠效率", u8"睡眠效率"}},
    {Awake, {u8"Awake", u8"清醒", u8"清醒"}},
    {Sleep, {u8"Sleep", u8"淺眠", u8"浅睡"}},
    {DeepSleep, {u8"Deep-Sleep", u8"深眠", u8"深睡"}},
    {SlightMove, {u8"Slight Move > ", u8"輕微移動 > ", u8"轻微移动 > "}},
    {StepsPerMinute, {u8"Steps/Min", u8"步/分", u8"步/分"}},
    {Enable24HourMode,
     {u8"Enable 24-hour STEPO Mode",
      u8"啟用 24 小時 STEPO 模式",
      u8"启用 24 小时 STEPO 模式"}},
    {StopSleepMonitor, {u8"Stop Sleep-Monitor", u8"停止睡眠監測", u8"停止睡眠监测"}},
    {EnableAlarm, {u8"Enable Alarm", u8"啟用鬧鐘", u8"启用闹钟"}},
    {HorizontalDisplay, {u8"Horizontal Display", u8"水平顯示", u8"水平显示"}},
    {VerticalDisplay, {u8"Vertical Display", u8"垂直顯示", u8"垂直显示"}},
    {ShowHour, {u8"Show Hour", u8"顯示小時", u8"显示小时"}},
    {ShowMinute, {u8"Show Minute", u8"顯示分鐘", u8"显示分钟"}},
    {ShowMonth, {u8"Show Month", u8"顯示月份", u8"显示月份"}},
    {ShowDayOfMonth, {u8"Show Day", u8"顯示日期", u8"显示日期"}},
    {MetricUnits, {u8"Metric  Units", u8"公制單位", u8"公制单位"}},
    {ImperialUnits, {u8"Imperial units", u8"英制單位", u8"英制单位"}},
    {Pound, {u8"Pound", u8"磅", u8"磅"}},
    {Inch, {u8"Inch", u8"英吋", u8"英寸"}},
    {Feet, {u8"Feet", u8"英呎", u8"英尺"}},
    {Mile, {u8"Mile", u8"英哩", u8"英里"}},
    // Two unit blocks; each language labels with one of them (Language::unitBlock), the second
    // carrying the mainland unit words.
    {Kilogram, {u8"Kg", u8"公斤", u8"公斤"}},
    {Centimetre, {u8"cm", u8"公分", u8"公分"}},
    {Metre, {u8"M", u8"公尺", u8"公尺"}},
    {Kilometre, {u8"Km", u8"公里", u8"公里"}},
    {SimplifiedKilogram, {u8"Kg", u8"千克", u8"千克"}},
    {SimplifiedCentimetre, {u8"cm", u8"厘米", u8"厘米"}},
    {SimplifiedMetre, {u8"M", u8"米", u8"米"}},
    {SimplifiedKilometre, {u8"Km", u8"千米", u8"千米"}},
    {GoesToTrash,
     {u8"The data go to the trash, from where they can be restored.",
      u8"資料會移到垃圾桶，可從那裡還原。",
      u8"数据会移到回收站，可从那里还原。"}},
    {GoesForGood,
     {u8"No trash can take the data here: they are deleted for good.",
      u8"這裡沒有垃圾桶可存放資料：資料將永久刪除。",
      u8"这里没有回收站可存放数据：数据将永久删除。"}},
    // Names for screen readers of controls that show no text, and the charts' summaries.
    {PreviousMonth, {u8"Previous month", u8"上個月", u8"上个月"}},
    {NextMonth, {u8"Next month", u8"下個月", u8"下个月"}},
    {Progress, {u8"Progress", u8"進度", u8"进度"}},
    {SleepStartHour, {u8"Sleep monitor start hour", u8"睡眠監測開始(時)", u8"睡眠监测开始(时)"}},
    {SleepStartMinute, {u8"Sleep monitor start minute", u8"睡眠監測開始(分)", u8"睡眠监测开始(分)"}},
    {SleepStopHour, {u8"Sleep monitor stop hour", u8"睡眠監測結束(時)", u8"睡眠监测结束(时)"}},
    {SleepStopMinute, {u8"Sleep monitor stop minute", u8"睡眠監測結束(分)", u8"睡眠监测结束(分)"}},
    {PeriodSteps, {u8"%s: %d steps", u8"%s：%d 步", u8"%s：%d 步"}},
    {BusiestDay,
     {u8"busiest day %s: %d steps",
      u8"最多步數的一天 %s：%d 步",
      u8"最多步数的一天 %s：%d 步"}},
    {BusiestHour,
     {u8"busiest hour %s: %d steps",
      u8"最多步數的一小時 %s：%d 步",
      u8"最多步数的一小时 %s：%d 步"}},
    {Night, {u8"Night %s ~ %s", u8"夜間 %s ~ %s", u8"夜间 %s ~ %s"}},
    // Refusals of entries no person can have: the field's caption first, then the bounds.
    {MustBeBetween,
     {u8"%s must be between %s and %s.",
      u8"%s必須介於 %s 與 %s 之間。",
      u8"%s必须介于 %s 与 %s 之间。"}},
    {MustBeAboveZero, {u8"%s must be above 0.", u8"%s必須大於 0。", u8"%s必须大于 0。"}},
    {MustNotBeNegative, {u8"%s must be 0 or more.", u8"%s不可小於 0。", u8"%s不可小于 0。"}},
}};
// clang-format on

constexpr bool CellFilled(const char8_t* cell)
{
    return cell != nullptr && cell[0] != u8'\0';
}

// A row or a cell left out of the initialiser would be value-initialised to null without a word
// from the compiler; catch that here rather than as an empty caption on some screen.
static_assert(std::all_of(Rows.begin(), Rows.end(), [](const LangRow& row) {
    return std::all_of(row.cells.begin(), row.cells.end(), CellFilled);
}));

constexpr bool InNameOrder()
{
    for (int at = 0; at < LangRowCount; ++at) {
        if (Rows.at(static_cast<std::size_t>(at)).name != static_cast<TextRow>(at)) {
            return false;
        }
    }
    return true;
}

// GetLangText finds a row by its name's value: a row out of place would answer for another.
static_assert(InNameOrder(), "the rows must follow the order of TextRow");

} // namespace

const LangRowTable& LangRows()
{
    return Rows;
}

} // namespace trek

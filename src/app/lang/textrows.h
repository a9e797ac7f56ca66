// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek {

// The rows of the interface text table, each named after what its text says. The table in
// langrows.cpp lists its cells in this order and tags every row with its name, and the compiler
// checks the two agree; a new text is a name here and its cells there. Names that read as a block
// (the weekdays, the mission kinds and targets, a unit block, the sleep monitor's four times) are
// read by position from their first row with RowAfter, so such blocks stay together.
enum class TextRow {
    ProgramName,
    Height,
    Weight,
    StepSize,
    DayReport,
    MonthReport,
    Steps,
    Hours, // the day report's axis; its Chinese cells say "time of day"
    Days,  // the month report's axis; its Chinese cells say "date"
    Birthday,
    Calorie,
    // An older unit block, superseded by the ones below: its Chinese cells say kilogram and
    // centimetre where the English says "Pound" and "inch".
    OldPound,
    OldInch,
    OldMetre,
    OldKilometre,
    StepsPerSecond,
    KmPerHour,
    Distance, // with the unit as its field
    Speed,    // with the unit as its field
    CalorieKcal,
    WeekReport, // "Day Report(Count)" in English; the Chinese cells say "week report"
    DataCollection,
    CollectFromDiskQuestion,
    // The tabs' names.
    Report,
    DayLife,
    MissionTarget,
    PersonalInformation,
    // The weekdays' short names, Sunday first.
    Sunday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,
    TotalSteps,
    TotalDistance,
    TotalTime,
    TotalKcal,
    // The units of a running time.
    DaysUnit,
    HoursUnit,
    MinutesUnit,
    Save,
    // The mission kinds, then each kind's target caption, in the order of MissionKind.
    KindSteps,
    KindDistances,
    KindTimes,
    KindKcals,
    TargetSteps,
    TargetDistance, // with the unit as its field
    TargetTime,
    TargetCalorie,
    ResetZero,
    ConfirmClearAll,
    Start,
    Stop,
    Week, // the week report's axis
    PercentCompleted,
    Congratulation,
    MissionCompleted,
    RunningTime,
    Maintain,
    PlugOutToSetUp,
    FasterPerDay,
    SlowerPerDay,
    Execute,
    // The wristband's display entries.
    ShowTime,
    ShowDay,
    ShowYear,
    ShowDiskSize,
    ShowFreeSize,
    ShowBattery,
    ShowStepo,
    PersonalGraphic,
    PersonalSetting,
    PcSimulation,
    GoodFeeling,
    Go,
    PersonalMessage,
    DiskNotFound,
    DisplaySpeed,
    DataCollectionError,
    ConfirmDelete,
    Push,
    Clear,
    TwentyFourHour,
    TwelveHour,
    SelectDisk,
    TimeSet,
    Message,
    ClockCheckReport,
    CheckWatch,
    WearIt,
    LedPowerControl,
    BatteryCurve,
    Battery,
    TimeInHours,
    // The online update.
    Upgrading,
    NewVersionQuestion,
    ToolUpdated,
    NoNewVersion,
    UserOption,
    EnableUpgradeCheck,
    AutoConfirmed,
    EnableSleepMonitor,
    OneTime,
    Everyday,
    // The factory set-up.
    FactoryMode,
    PlugInAutoSetup,
    DiskConstructing,
    SetupOk,
    SetupFailed,
    Auto,
    Manual,
    PreCopy,
    Setup,
    // The sleep analysis.
    SleepQuality,
    BedTime, // "Bad Time" in English
    AwakeTime,
    SleepTime,
    Efficiency,
    Awake,
    Sleep,
    DeepSleep,
    SlightMove,
    StepsPerMinute,
    Enable24HourMode,
    StopSleepMonitor,
    EnableAlarm,
    HorizontalDisplay,
    VerticalDisplay,
    ShowHour,
    ShowMinute,
    ShowMonth,
    ShowDayOfMonth,
    MetricUnits,
    ImperialUnits,
    Pound,
    Inch,
    Feet,
    Mile,
    // Two unit blocks of kilogram, centimetre, metre and kilometre; each language labels with
    // one of them (Language::unitBlock), the second carrying the Simplified unit words.
    Kilogram,
    Centimetre,
    Metre,
    Kilometre,
    SimplifiedKilogram,
    SimplifiedCentimetre,
    SimplifiedMetre,
    SimplifiedKilometre,
    GoesToTrash,
    GoesForGood,
    // Names for screen readers of controls that show no text, and the charts' summaries.
    PreviousMonth,
    NextMonth,
    Progress,
    SleepStartHour,
    SleepStartMinute,
    SleepStopHour,
    SleepStopMinute,
    PeriodSteps,
    BusiestDay,
    BusiestHour,
    Night,
    // Refusals of entries no person can have.
    MustBeBetween,
    MustBeAboveZero,
    MustNotBeNegative,
};

inline constexpr int LangRowCount = static_cast<int>(TextRow::MustNotBeNegative) + 1;

// The row `offset` rows after `first`, for a block read by position. A row past the table gives
// an empty text, never another row's memory.
constexpr TextRow RowAfter(TextRow first, int offset)
{
    return static_cast<TextRow>(static_cast<int>(first) + offset);
}

} // namespace trek

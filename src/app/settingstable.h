// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/settingkey.h"
#include "platform/result.h"

#include <array>
#include <cstdint>

namespace trek {

// Every key of the settings file: its section, its name, its default and its type. A key is
// spelled here and nowhere else; the program reads and writes it through its row, as in
// setting::UnitMode.Read() or WriteSettings({setting::UnitMode.Entry(1), ...}).
namespace setting {

namespace section {
inline constexpr char Advance[] = "Advance";
inline constexpr char Current[] = "Current";
inline constexpr char Summary[] = "Summary";
inline constexpr char Personal[] = "Personal";
inline constexpr char Mission[] = "Mission";
inline constexpr char Sleep[] = "Sleep";
inline constexpr char PreCopy[] = "PreCopy";
inline constexpr char Update[] = "Update";
inline constexpr char Trends[] = "Trends";
} // namespace section

// 0 English, 1 Traditional Chinese, 2 Simplified Chinese; a file without it speaks the locale's
// language (ReadLanguageSetting).
inline constexpr SettingKey<int> Language{section::Advance, "Language", 0};
inline constexpr SettingKey<bool> EnableUpgrade{section::Advance, "EnableUpgrade", true};
inline constexpr SettingKey<bool> AutoConfirm{section::Advance, "AutoConfirm", false};
// What the last file-model wristband delivered: 1 every minute, else blocks.
inline constexpr SettingKey<int> DisplayMode{section::Advance, "DisplayMode", 0};
inline constexpr SettingKey<QString> UpdateUrl{
    section::Advance, "UpdateURL",
    "https://update.example.com/UploadFiles%5CDownLoads%5CTrekkomat_K7.exe"};

// 0 metric, anything else imperial.
inline constexpr SettingKey<int> UnitMode{section::Current, "UnitMode", 0};
inline constexpr SettingKey<int> ReportMode{section::Current, "ReportMode", 0};

inline constexpr SettingKey<int> TotalSteps{section::Summary, "TotalSteps", 0};
inline constexpr SettingKey<int> TotalPeriod{section::Summary, "TotalPeriod", 0}; // minutes

inline constexpr SettingKey<int> Birthday{section::Personal, "Birthday", 20000201}; // yyyymmdd
inline constexpr SettingKey<int> Height{section::Personal, "Height", 0};            // cm
inline constexpr SettingKey<int> WeightGrams{section::Personal, "Weight_g", 0};
// Kilograms, as files written before "Weight_g" hold them; read only.
inline constexpr SettingKey<int> WeightKilograms{section::Personal, "Weight", 0};
inline constexpr SettingKey<int> StepSize{section::Personal, "StepSize", 0}; // cm

// Steps per minute that still count as resting.
inline constexpr SettingKey<int> SlightMoving{section::Sleep, "SlightMoving", 0};
// The night the sleep analysis looks at, in hours from the selected day's midnight.
inline constexpr SettingKey<int> SleepStartHour{section::Sleep, "StartHour", 20};
inline constexpr SettingKey<int> SleepEndHour{section::Sleep, "EndHour", 33};

// The folder the factory set-up copies onto every wristband.
inline constexpr SettingKey<bool> PreCopyEnable{section::PreCopy, "Enable", false};
inline constexpr SettingKey<QString> PreCopyPath{section::PreCopy, "Path", ""};

// The program files' stamps the last update check compared; written, never read.
inline constexpr SettingKey<QString> UpdateLocal{section::Update, "Local", ""};
inline constexpr SettingKey<QString> UpdateServer{section::Update, "Server", ""};

// The steps a day of the Trends should reach; written only when the person changes it.
inline constexpr SettingKey<int> DailyGoal{section::Trends, "DailyGoal", 10000};

// The keys of one mission.
struct MissionKeys
{
    SettingKey<int> mode;
    SettingKey<int> status; // 0 stopped, anything else running
    SettingKey<double> goes;
    SettingKey<int> curSteps;
    SettingKey<int> curPeriodM;
    // The mission clock at the start, as a signed 32-bit number. At start-up a missing one reads
    // as the tick of the moment (ReadStartSettings).
    SettingKey<int> startTime;
};

// Mission A, then B.
inline constexpr std::array<MissionKeys, 2> Missions{{
    {{section::Mission, "A_Mode", 0},
     {section::Mission, "A_Status", 0},
     {section::Mission, "A_Goes", 0.0},
     {section::Mission, "A_CurSteps", 0},
     {section::Mission, "A_CurPeriodM", 0},
     {section::Mission, "A_StartTime", 0}},
    {{section::Mission, "B_Mode", 0},
     {section::Mission, "B_Status", 0},
     {section::Mission, "B_Goes", 0.0},
     {section::Mission, "B_CurSteps", 0},
     {section::Mission, "B_CurPeriodM", 0},
     {section::Mission, "B_StartTime", 0}},
}};

} // namespace setting

struct MissionValues
{
    int mode = 0;
    int status = 0; // 0 stopped, anything else running
    double goes = 0.0;
    int curSteps = 0;
    int curPeriodM = 0;
    std::uint32_t startTime = 0; // mission clock at the start of the mission
    bool running() const { return status != 0; }
};

// The settings read once when the main window opens and kept current by whoever changes them.
struct SettingsValues
{
    bool enableUpgrade = setting::EnableUpgrade.defaultValue();
    bool autoConfirm = setting::AutoConfirm.defaultValue();
    int displayMode = setting::DisplayMode.defaultValue();
    int unitMode = setting::UnitMode.defaultValue();
    int totalSteps = setting::TotalSteps.defaultValue();
    int totalPeriod = setting::TotalPeriod.defaultValue();
    int birthday = setting::Birthday.defaultValue();
    int height = setting::Height.defaultValue();
    int weightGrams = setting::WeightGrams.defaultValue();
    int stepSize = setting::StepSize.defaultValue();
    std::array<MissionValues, 2> missions; // A, B
    int slightMoving = setting::SlightMoving.defaultValue();
};

// Reads the interface language as the main window does when it opens (locale default, then
// "Advance" "Language") into appState().language.
void ReadLanguageSetting();
// Reads every start key into appState().values, as the main window does when it opens.
void ReadStartSettings();
// Writes the language and the start keys of the options, the person and the totals as
// appState() holds them, in one replacement of the file: after a start without a settings file,
// the defaults that start used, so that a first change leaves a whole settings file.
[[nodiscard]] Result<> WriteStartSettings();

} // namespace trek

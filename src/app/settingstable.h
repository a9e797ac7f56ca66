// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <initializer_list>

namespace trek {

// Section and key names of the settings file, spelled as the file holds them.
namespace keys {
inline constexpr char Advance[] = "Advance";
inline constexpr char Current[] = "Current";
inline constexpr char Summary[] = "Summary";
inline constexpr char Personal[] = "Personal";
inline constexpr char Mission[] = "Mission";
inline constexpr char Sleep[] = "Sleep";
inline constexpr char PreCopy[] = "PreCopy";
inline constexpr char Update[] = "Update";
} // namespace keys

// Thin wrappers over the installed profile service and appState().settingsPath.
int ReadSettingInt(const char* section, const char* key, int defaultValue);
QString ReadSettingString(const char* section, const char* key, const QString& defaultValue);
// False when the settings file could not be written (the value in memory stays).
bool WriteSettingString(const char* section, const char* key, const QString& value);
bool WriteSettingInt(const char* section, const char* key, int value); // "%d"

// One key of a multi-key write.
struct SettingEntry
{
    const char* section;
    const char* key;
    QString value;
};
// Every key that one action changes, in one replacement of the file: a crash leaves all of them
// or none. Fails with the reason; the file is then as it was.
[[nodiscard]] Result<> WriteSettings(std::initializer_list<SettingEntry> entries);
// The same for a list put together at run time, such as the options a command line names.
[[nodiscard]] Result<> WriteSettings(const QList<SettingEntry>& entries);

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

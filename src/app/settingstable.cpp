// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingstable.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/realtext.h"
#include "platform/profile.h"
#include "platform/systemservices.h"

#include <algorithm>
#include <limits>

namespace trek {

namespace {

QString name(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

std::uint32_t currentTick()
{
    const platform::SystemServices* system = appState().services.system;
    return system != nullptr ? system->missionClock() : 0;
}

// "Weight" held kilograms before "Weight_g" held grams; a huge old value must not overflow.
int gramsFromKilograms(int kilograms)
{
    const qint64 grams = qint64(kilograms) * 1000;
    return static_cast<int>(std::clamp<qint64>(grams, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

MissionValues readMission(char letter)
{
    const QByteArray prefix = QByteArray(1, letter) + '_';
    const auto key = [&prefix](const char* suffix) {
        return QByteArray(prefix + suffix);
    };
    MissionValues mission;
    mission.mode = ReadSettingInt(keys::Mission, key("Mode").constData(), 0);
    mission.status = ReadSettingInt(keys::Mission, key("Status").constData(), 0);
    mission.goes = RealFromText(
        ReadSettingString(keys::Mission, key("Goes").constData(), QStringLiteral("0.0")));
    mission.curSteps = ReadSettingInt(keys::Mission, key("CurSteps").constData(), 0);
    mission.curPeriodM = ReadSettingInt(keys::Mission, key("CurPeriodM").constData(), 0);
    // The tick is stored as a signed 32-bit number; the cast gives the counter value back.
    mission.startTime = static_cast<std::uint32_t>(ReadSettingInt(
        keys::Mission, key("StartTime").constData(), static_cast<int>(currentTick())));
    return mission;
}

} // namespace

int ReadSettingInt(const char* section, const char* key, int defaultValue)
{
    const platform::Profile* profile = appState().services.profile;
    if (profile == nullptr) {
        return defaultValue;
    }
    return profile->getInt(name(section), name(key), defaultValue, appState().settingsPath);
}

QString ReadSettingString(const char* section, const char* key, const QString& defaultValue)
{
    const platform::Profile* profile = appState().services.profile;
    if (profile == nullptr) {
        return defaultValue;
    }
    return profile->getString(name(section), name(key), defaultValue, appState().settingsPath);
}

bool WriteSettingString(const char* section, const char* key, const QString& value)
{
    platform::Profile* profile = appState().services.profile;
    if (profile == nullptr) {
        return false;
    }
    return profile->writeString(name(section), name(key), value, appState().settingsPath);
}

bool WriteSettingInt(const char* section, const char* key, int value)
{
    return WriteSettingString(section, key, QString::number(value));
}

Result<> WriteSettings(std::initializer_list<SettingEntry> entries)
{
    return WriteSettings(QList<SettingEntry>(entries));
}

Result<> WriteSettings(const QList<SettingEntry>& entries)
{
    platform::Profile* profile = appState().services.profile;
    if (profile == nullptr) {
        return fail(QStringLiteral("No settings file is open."));
    }
    QList<platform::ProfileEntry> written;
    for (const SettingEntry& entry : entries) {
        written.append({name(entry.section), name(entry.key), entry.value});
    }
    return profile->writeStrings(written, appState().settingsPath);
}

void ReadLanguageSetting()
{
    const platform::SystemServices* system = appState().services.system;
    const int localeDefault =
        DefaultLanguageForLocale(system != nullptr ? system->localeAbbreviation() : QString());
    appState().language = ReadSettingInt(keys::Advance, "Language", localeDefault);
}

void ReadStartSettings()
{
    SettingsValues& values = appState().values;
    values.enableUpgrade = ReadSettingInt(keys::Advance, "EnableUpgrade", 1) != 0;
    values.autoConfirm = ReadSettingInt(keys::Advance, "AutoConfirm", 0) != 0;
    values.displayMode = ReadSettingInt(keys::Advance, "DisplayMode", 0);
    values.unitMode = ReadSettingInt(keys::Current, "UnitMode", 0);
    values.totalSteps = ReadSettingInt(keys::Summary, "TotalSteps", 0);
    values.totalPeriod = ReadSettingInt(keys::Summary, "TotalPeriod", 0);
    values.birthday = ReadSettingInt(keys::Personal, "Birthday", 20000201);
    values.height = ReadSettingInt(keys::Personal, "Height", 0);
    values.weightGrams = ReadSettingInt(keys::Personal, "Weight_g", 0);
    if (values.weightGrams == 0) {
        values.weightGrams = gramsFromKilograms(ReadSettingInt(keys::Personal, "Weight", 0));
    }
    values.stepSize = ReadSettingInt(keys::Personal, "StepSize", 0);
    values.missions[0] = readMission('A');
    values.missions[1] = readMission('B');
    values.slightMoving = ReadSettingInt(keys::Sleep, "SlightMoving", 0);
}

Result<> WriteStartSettings()
{
    const AppState& state = appState();
    const SettingsValues& values = state.values;
    const auto number = [](int value) {
        return QString::number(value);
    };
    return WriteSettings({{keys::Advance, "Language", number(state.language)},
                          {keys::Advance, "EnableUpgrade", number(values.enableUpgrade ? 1 : 0)},
                          {keys::Advance, "AutoConfirm", number(values.autoConfirm ? 1 : 0)},
                          {keys::Current, "UnitMode", number(values.unitMode)},
                          {keys::Summary, "TotalSteps", number(values.totalSteps)},
                          {keys::Summary, "TotalPeriod", number(values.totalPeriod)},
                          {keys::Personal, "Birthday", number(values.birthday)},
                          {keys::Personal, "Height", number(values.height)},
                          {keys::Personal, "Weight_g", number(values.weightGrams)},
                          {keys::Personal, "StepSize", number(values.stepSize)},
                          {keys::Sleep, "SlightMoving", number(values.slightMoving)}});
}

} // namespace trek

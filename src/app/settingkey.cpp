// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingkey.h"

#include "app/appstate.h"
#include "app/realtext.h"
#include "platform/profile.h"

namespace trek {

namespace {

QString Name(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

platform::Profile* InstalledProfile()
{
    return appState().services.profile;
}

} // namespace

template <typename T> T SettingKey<T>::Read() const
{
    if constexpr (std::is_same_v<T, QString>) {
        return Read(QString::fromLatin1(m_default));
    } else {
        return Read(m_default);
    }
}

template <typename T> T SettingKey<T>::Read(const T& missing) const
{
    const platform::Profile* profile = InstalledProfile();
    if (profile == nullptr) {
        return missing;
    }
    const QString section = Name(m_section);
    const QString key = Name(m_name);
    const QString& path = appState().settingsPath;
    if constexpr (std::is_same_v<T, QString>) {
        return profile->getString(section, key, missing, path);
    } else if constexpr (std::is_same_v<T, double>) {
        return RealFromText(profile->getString(section, key, Text(missing), path));
    } else if constexpr (std::is_same_v<T, bool>) {
        return profile->getInt(section, key, missing ? 1 : 0, path) != 0;
    } else {
        return profile->getInt(section, key, missing, path);
    }
}

template <typename T> Result<> SettingKey<T>::Write(const T& value) const
{
    platform::Profile* profile = InstalledProfile();
    if (profile == nullptr) {
        return fail(QStringLiteral("No settings file is open."));
    }
    return profile->writeString(Name(m_section), Name(m_name), Text(value),
                                appState().settingsPath);
}

template <typename T> SettingEntry SettingKey<T>::Entry(const T& value) const
{
    return {m_section, m_name, Text(value)};
}

template <typename T> QString SettingKey<T>::Text(const T& value)
{
    if constexpr (std::is_same_v<T, QString>) {
        return value;
    } else if constexpr (std::is_same_v<T, double>) {
        return QString::asprintf("%f", value);
    } else if constexpr (std::is_same_v<T, bool>) {
        return QString::number(value ? 1 : 0);
    } else {
        return QString::number(value);
    }
}

template class SettingKey<int>;
template class SettingKey<bool>;
template class SettingKey<double>;
template class SettingKey<QString>;

Result<> WriteSettings(std::initializer_list<SettingEntry> entries)
{
    return WriteSettings(QList<SettingEntry>(entries));
}

Result<> WriteSettings(const QList<SettingEntry>& entries)
{
    platform::Profile* profile = InstalledProfile();
    if (profile == nullptr) {
        return fail(QStringLiteral("No settings file is open."));
    }
    QList<platform::ProfileEntry> written;
    for (const SettingEntry& entry : entries) {
        written.append({Name(entry.section), Name(entry.key), entry.value});
    }
    return profile->writeStrings(written, appState().settingsPath);
}

} // namespace trek

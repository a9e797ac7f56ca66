// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <initializer_list>
#include <type_traits>

namespace trek {

// One key of a multi-key write: section and key as the file spells them, and the value's text.
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

// One key of the settings file (appState().settingsPath, through the installed profile), read
// and written as a T. The file holds an int as "%d", a bool as 1 or 0 (anything but 0 reads as
// on), a double as "%f" (read back like atof()), and a text as it is. Without a profile every
// read gives the default and every write fails.
template <typename T> class SettingKey
{
public:
    // A text key's default is spelled as a Latin-1 literal, so that the table stays constant.
    using Default = std::conditional_t<std::is_same_v<T, QString>, const char*, T>;

    constexpr SettingKey(const char* section, const char* name, Default defaultValue)
        : m_section(section), m_name(name), m_default(defaultValue)
    {}

    constexpr const char* section() const { return m_section; }
    constexpr const char* name() const { return m_name; }
    constexpr Default defaultValue() const { return m_default; }

    // The stored value; the default when the file, the section or the key is missing or empty.
    T Read() const;
    // The same with another default, for the few readers that want one only known at run time.
    T Read(const T& missing) const;
    // This key alone, in one replacement of the file.
    [[nodiscard]] Result<> Write(const T& value) const;
    // This key's part of a WriteSettings().
    SettingEntry Entry(const T& value) const;
    // The value's text as the file holds it.
    static QString Text(const T& value);

private:
    const char* m_section;
    const char* m_name;
    Default m_default;
};

extern template class SettingKey<int>;
extern template class SettingKey<bool>;
extern template class SettingKey<double>;
extern template class SettingKey<QString>;

} // namespace trek

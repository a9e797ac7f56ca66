// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QList>
#include <QString>
#include <functional>

namespace trek::platform {

// One key to set: section, key and the value's text.
struct ProfileEntry
{
    QString section;
    QString key;
    QString value;
};

// The values of one settings file as they stood at one moment, read by the same rules as
// Profile's own reading calls.
class ProfileValues
{
public:
    virtual ~ProfileValues() = default;

    virtual int getInt(const QString& section, const QString& key, int defaultValue) const = 0;
    virtual QString getString(const QString& section, const QString& key,
                              const QString& defaultValue) const = 0;
};

// Settings are read and written only through these calls, which behave like the profile ("INI")
// functions the program was designed around: a missing file, section or key gives the default,
// names are matched without regard to case, and every write reaches the disk at once. A write
// that fails leaves the file exactly as it was.
class Profile
{
public:
    virtual ~Profile() = default;

    virtual int getInt(const QString& section, const QString& key, int defaultValue,
                       const QString& path) const = 0;
    virtual QString getString(const QString& section, const QString& key,
                              const QString& defaultValue, const QString& path) const = 0;
    // One key; fails with the reason when it could not be written.
    virtual Result<> writeString(const QString& section, const QString& key, const QString& value,
                                 const QString& path) = 0;

    // Several keys, in one section or several, with one replacement of the file: afterwards the
    // file holds all of them or none.
    virtual Result<> writeStrings(const QList<ProfileEntry>& entries, const QString& path) = 0;

    // Answers the entries to write, given the values the file holds at that moment. An empty
    // answer writes nothing.
    using Change = std::function<QList<ProfileEntry>(const ProfileValues& current)>;

    // For values that build on what is stored (counters): while every other writer of the file
    // is kept out, the file is read afresh, `change` sees its current values, and the entries it
    // answers go to disk in one replacement. So an increment is always added to the latest
    // value, never to a copy read earlier. `change` must not write through the profile itself.
    virtual Result<> updateStrings(const QString& path, const Change& change) = 0;
};

} // namespace trek::platform

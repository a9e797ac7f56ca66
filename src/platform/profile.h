#pragma once

#include <QString>

namespace trek::platform {

// Settings are read and written only through these three calls, which behave like the profile
// ("INI") functions the program was designed around: a missing file, section or key gives the
// default, names are matched without regard to case, and every write reaches the disk at once.
class Profile
{
public:
    virtual ~Profile() = default;

    virtual int getInt(const QString& section, const QString& key, int defaultValue,
                       const QString& path) const = 0;
    virtual QString getString(const QString& section, const QString& key,
                              const QString& defaultValue, const QString& path) const = 0;
    // False when the value could not be written; the file is then left exactly as it was.
    virtual bool writeString(const QString& section, const QString& key, const QString& value,
                             const QString& path) = 0;
};

} // namespace trek::platform

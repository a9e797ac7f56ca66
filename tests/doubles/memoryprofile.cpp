#include "doubles/memoryprofile.h"

#include "platform/initext.h"

namespace trek::platform {

int MemoryProfile::getInt(const QString& section, const QString& key, int defaultValue,
                          const QString& path) const
{
    const auto found = m_files.constFind(path);
    if (found == m_files.constEnd()) {
        return defaultValue;
    }
    const std::optional<QString> value = findIniValue(*found, section, key);
    return value ? profileIntFromText(*value) : defaultValue;
}

QString MemoryProfile::getString(const QString& section, const QString& key,
                                 const QString& defaultValue, const QString& path) const
{
    const auto found = m_files.constFind(path);
    if (found == m_files.constEnd()) {
        return defaultValue;
    }
    return findIniValue(*found, section, key).value_or(defaultValue);
}

bool MemoryProfile::writeString(const QString& section, const QString& key, const QString& value,
                                const QString& path)
{
    if (m_writesFail || path.isEmpty() || !iniEntryProblem(section, key, value).isEmpty()) {
        return false;
    }
    QByteArray& text = m_files[path];
    text = setIniValue(text, section, key, value);
    ++m_writeCount;
    return true;
}

} // namespace trek::platform

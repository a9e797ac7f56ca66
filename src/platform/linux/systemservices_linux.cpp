#include "platform/linux/systemservices_linux.h"

#include "platform/localename.h"

#include <QProcess>
#include <ctime>

namespace trek::platform {

QString LinuxSystemServices::localeAbbreviation() const
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) {
            return localeAbbreviationFor(value);
        }
    }
    return localeAbbreviationFor(QString());
}

std::uint32_t LinuxSystemServices::tickCount() const
{
    timespec now{};
    if (::clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        ::clock_gettime(CLOCK_MONOTONIC, &now);
    }
    const auto milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000U +
                              static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(milliseconds);
}

bool LinuxSystemServices::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace trek::platform

#include "platform/linux/systemservices_linux.h"

#include "platform/localename.h"

#include <QFile>
#include <QProcess>
#include <ctime>
#include <utility>

namespace trek::platform {

namespace {
// A locale file is a few lines; anything longer is not one.
constexpr qint64 MaxLocaleFileBytes = qint64{64} * 1024;
} // namespace

QStringList LinuxSystemServices::DefaultSystemLocaleFiles()
{
    // Debian's own file first, then the one systemd-localed keeps.
    return {QStringLiteral("/etc/default/locale"), QStringLiteral("/etc/locale.conf")};
}

LinuxSystemServices::LinuxSystemServices(QStringList systemLocaleFiles)
    : m_systemLocaleFiles(std::move(systemLocaleFiles))
{}

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

QString LinuxSystemServices::systemLocaleAbbreviation() const
{
    for (const QString& path : m_systemLocaleFiles) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QString locale = messageLocaleFromAssignments(file.read(MaxLocaleFileBytes));
        if (!locale.isEmpty()) {
            return localeAbbreviationFor(locale);
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/systemservices_linux.h"

#include "platform/localename.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <utility>

namespace trek::platform {

namespace {
// A locale file is a few lines; anything longer is not one.
constexpr qint64 MaxLocaleFileBytes = qint64{64} * 1024;
} // namespace

QStringList LinuxSystemServices::defaultSystemLocaleFiles()
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

std::uint32_t LinuxSystemServices::missionClock() const
{
    // Truncation keeps the low 32 bits: the value modulo 2^32.
    return static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
}

bool LinuxSystemServices::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemservices.h"

#include <QStringList>
#include <QtGlobal>

namespace trek::platform {

class LinuxSystemServices final : public SystemServices
{
public:
    // The files that hold the machine's own locale, read in this order until one sets it.
    static QStringList defaultSystemLocaleFiles();

    explicit LinuxSystemServices(QStringList systemLocaleFiles = defaultSystemLocaleFiles());
    Q_DISABLE_COPY_MOVE(LinuxSystemServices)

    // From LC_ALL, LC_MESSAGES, then LANG: the variables that choose the language of messages.
    QString localeAbbreviation() const override;
    // The same variables as the machine's locale files set them; the C locale when none does.
    QString systemLocaleAbbreviation() const override;
    std::uint32_t missionClock() const override;
    // The generation table knows only the systems the program first ran on; Linux is none.
    int platformGeneration() const override { return 0; }
    // The program starts in the current folder, detached, so it outlives this process.
    bool startProgram(const QString& program, const QStringList& arguments) override;

private:
    QStringList m_systemLocaleFiles;
};

} // namespace trek::platform

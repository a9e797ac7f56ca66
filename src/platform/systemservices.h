// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace trek::platform {

// Small services of the operating system that need no window system.
class SystemServices
{
public:
    virtual ~SystemServices() = default;

    // Three-letter abbreviated language name of this user's default locale: "ENU", "CHS", "CHT",
    // ...
    virtual QString localeAbbreviation() const = 0;
    // The same for the locale the machine itself is set up with, whoever is logged in.
    virtual QString systemLocaleAbbreviation() const = 0;
    // The mission clock: wall-clock milliseconds since 1970, wrapping at 2^32. Unlike time since
    // boot it goes on across restarts, so a mission started before one still runs the time it
    // ran.
    virtual std::uint32_t missionClock() const = 0;
    // Generation code of the running platform (0 when it is not one the table lists).
    virtual int platformGeneration() const = 0;
    // Starts a program with a normal window; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
};

// Services that need the desktop session: keyboard state and the default browser.
class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    virtual bool isLeftShiftDown() const = 0;
    virtual bool isLeftCtrlDown() const = 0;
    virtual bool openUrl(const QString& address) = 0;
};

} // namespace trek::platform

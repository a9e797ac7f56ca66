// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"
#include "platform/services.h"
#include "platform/systemservices.h"

#include <QDateTime>
#include <QStringList>
#include <functional>
#include <memory>

namespace trek::platform {

// The platform services of one run of a program, owned together.
class Platform
{
public:
    virtual ~Platform() = default;
    virtual Services services() const = 0;
};

// The services of the machine the program was built for: its settings files, system services
// and real drives, or, when any drive option ("E=DIR", "F=k9e:IMAGE", ...) is given, only
// simulated drives, so that nothing depends on the machine's disks. The window hands in its
// desktop services (they need the window system); the command-line tool has none. `hostNow`, when
// given, is the PC's time the emulated wristbands run by (a frozen clock for exact runs). Fails
// with one sentence when a drive option is wrong.
Result<std::unique_ptr<Platform>> createPlatform(const QStringList& driveOptions,
                                                 std::unique_ptr<DesktopServices> desktop = nullptr,
                                                 std::function<QDateTime()> hostNow = {});

// Keyboard state and the browser of the desktop session the program runs in.
std::unique_ptr<DesktopServices> createDesktopServices();

} // namespace trek::platform

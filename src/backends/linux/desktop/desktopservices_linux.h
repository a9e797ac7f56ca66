// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemservices.h"

#include <QtGlobal>

namespace trek::platform {

// Keyboard state and the browser through Qt's desktop integration. Neither X11 through Qt nor
// Wayland tells the left modifier keys from the right ones, so "left Shift" answers for either
// Shift key and "left Ctrl" for either Ctrl key.
class LinuxDesktopServices final : public DesktopServices
{
public:
    LinuxDesktopServices() = default;
    Q_DISABLE_COPY_MOVE(LinuxDesktopServices)

    bool isLeftShiftDown() const override;
    bool isLeftCtrlDown() const override;
    // Only web addresses (http, https) are handed to the browser; anything else is refused so
    // that a changed address in a settings file cannot open a local program or file.
    bool openUrl(const QString& address) override;
};

} // namespace trek::platform

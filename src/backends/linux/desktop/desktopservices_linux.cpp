// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/desktop/desktopservices_linux.h"

#include "platform/platform.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace trek::platform {

bool LinuxDesktopServices::isLeftShiftDown() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

bool LinuxDesktopServices::isLeftCtrlDown() const
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

bool LinuxDesktopServices::openUrl(const QString& address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

} // namespace trek::platform

namespace trek::platform {

std::unique_ptr<DesktopServices> createDesktopServices()
{
    return std::make_unique<LinuxDesktopServices>();
}

} // namespace trek::platform

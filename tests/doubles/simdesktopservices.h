// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemservices.h"

#include <QStringList>
#include <QtGlobal>

namespace trek::platform {

// Key state set by the test; web addresses are recorded instead of opened, so no test reaches
// the network.
class SimDesktopServices final : public DesktopServices
{
public:
    SimDesktopServices() = default;
    Q_DISABLE_COPY_MOVE(SimDesktopServices)

    bool isLeftShiftDown() const override { return m_shift; }
    bool isLeftCtrlDown() const override { return m_ctrl; }
    bool openUrl(const QString& address) override;

    void setLeftShiftDown(bool down) { m_shift = down; }
    void setLeftCtrlDown(bool down) { m_ctrl = down; }
    const QStringList& openedUrls() const { return m_openedUrls; }

private:
    bool m_shift = false;
    bool m_ctrl = false;
    QStringList m_openedUrls;
};

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/userinterface.h"

#include <QtGlobal>

namespace trek {

class CWristbandDlg;

// The main window as the wristband and collection code sees it.
class WindowUserInterface final : public UserInterface
{
    Q_DISABLE_COPY_MOVE(WindowUserInterface)
public:
    explicit WindowUserInterface(CWristbandDlg& window) : m_window(window) {}
    ~WindowUserInterface() override = default;

    void setStatusText(const QString& text) override;
    void setDriveLabel(const QString& text) override;
    int askYesNo(const QString& title, const QString& message) override;
    void showMessage(const QString& message) override;
    void pumpMessages() override;
    void notifyDataChanged() override;
    void notifyRefresh() override;
    void setProgress(int percent, const QString& text, bool textShown) override;
    void setBusy(bool busy) override;

private:
    CWristbandDlg& m_window;
};

} // namespace trek

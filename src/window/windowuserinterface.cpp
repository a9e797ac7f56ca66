// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/windowuserinterface.h"

#include "widgets/messagebox.h"
#include "widgets/textprogressbar.h"
#include "widgets/wbmessages.h"
#include "widgets/yesnobox.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace trek {

void WindowUserInterface::setStatusText(const QString& text)
{
    m_window.SetStatusText(text);
}

void WindowUserInterface::setDriveLabel(const QString& text)
{
    m_window.SetDriveLabel(text);
}

int WindowUserInterface::askYesNo(const QString& title, const QString& message)
{
    CYesNoBox box(title, message, &m_window);
    return box.DoModal();
}

void WindowUserInterface::showMessage(const QString& message)
{
    ShowMessageBox(&m_window, QCoreApplication::applicationName(), message);
}

void WindowUserInterface::pumpMessages()
{
    // Every waiting event runs, timer ticks and device notices included, so the window stays
    // alive during long device and file work; re-entry is the caller's to guard.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WindowUserInterface::notifyDataChanged()
{
    WbMessageEvent::send(m_window.TabControl(), WbMessage::DataChanged);
}

void WindowUserInterface::notifyRefresh()
{
    WbMessageEvent::send(m_window.TabControl(), WbMessage::Refresh);
    WbMessageEvent::send(&m_window, WbMessage::Refresh);
}

void WindowUserInterface::setProgress(int percent, const QString& text, bool textShown)
{
    CTextProgressBar* bar = m_window.ProgressBar();
    bar->SetShowText(textShown);
    bar->SetWindowText(text);
    bar->SetPos(percent);
    bar->update();
}

void WindowUserInterface::setBusy(bool busy)
{
    if (busy) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

} // namespace trek

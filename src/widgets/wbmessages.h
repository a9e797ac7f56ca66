// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace trek {

// The notices the main window, the tab control and the pages send each other, as Qt events
// with two numbers. The numbers of the kinds stay fixed so that a notice logged today reads the
// same tomorrow.
enum class WbMessage : int {
    DataChanged = 108,     // the store or the link changed: every page reloads
    Refresh = 109,         // settings or the wristband changed: every page refreshes
    ListCellClicked = 110, // first: the row, second: the column
    DateSelected = 114,    // the calendar's date changed
    HandCursor = 1030,     // first 0: the hand cursor, anything else the arrow
};

class WbMessageEvent final : public QEvent
{
public:
    explicit WbMessageEvent(WbMessage message, qintptr first = 0, qintptr second = 0);

    WbMessage message() const { return m_message; }
    qintptr first() const { return m_first; }
    qintptr second() const { return m_second; }

    // Placed above QEvent::User so no Qt event can be mistaken for one of ours.
    static QEvent::Type typeOf(WbMessage message);
    // The message an event carries, or nothing when it is not one of ours.
    static const WbMessageEvent* from(const QEvent* event);

    // Delivers at once and returns whether the receiver handled it.
    static bool send(QObject* receiver, WbMessage message, qintptr first = 0, qintptr second = 0);

private:
    WbMessage m_message;
    qintptr m_first;
    qintptr m_second;
};

} // namespace trek

#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

namespace trek {

// The program's private window messages. They travel as Qt events so that the routing between
// the main window, the tab control and the pages stays what it always was; the numbers are kept
// because other code and older notes refer to them.
enum class WbMessage : int {
    DataChanged = 108,     // WM_WB_DATACHANGED: the store or the link changed
    Refresh = 109,         // WM_WB_REFRESH: settings or the wristband changed
    ListCellClicked = 110, // wParam item, lParam column
    DateSelected = 114,    // WM_WB_DATESELECTED: the calendar's date changed
    HandCursor = 1030,     // WM_WB_HANDCURSOR: wParam 0 hand cursor, else arrow
};

class WbMessageEvent final : public QEvent
{
public:
    explicit WbMessageEvent(WbMessage message, qintptr wParam = 0, qintptr lParam = 0);

    WbMessage message() const { return m_message; }
    qintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }

    // Placed above QEvent::User so no Qt event can be mistaken for one of ours.
    static QEvent::Type typeOf(WbMessage message);
    // The message an event carries, or nothing when it is not one of ours.
    static const WbMessageEvent* from(const QEvent* event);

    // Delivers at once and returns whether the receiver handled it, as a sent message would.
    static bool send(QObject* receiver, WbMessage message, qintptr wParam = 0, qintptr lParam = 0);

private:
    WbMessage m_message;
    qintptr m_wParam;
    qintptr m_lParam;
};

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/wbmessages.h"

#include <QCoreApplication>

namespace trek {

namespace {
constexpr int FirstType = QEvent::User;
constexpr int LastType = QEvent::User + static_cast<int>(WbMessage::HandCursor);
} // namespace

WbMessageEvent::WbMessageEvent(WbMessage message, qintptr first, qintptr second)
    : QEvent(typeOf(message)), m_message(message), m_first(first), m_second(second)
{}

QEvent::Type WbMessageEvent::typeOf(WbMessage message)
{
    return static_cast<QEvent::Type>(FirstType + static_cast<int>(message));
}

const WbMessageEvent* WbMessageEvent::from(const QEvent* event)
{
    if (event == nullptr) {
        return nullptr;
    }
    const int type = static_cast<int>(event->type());
    if (type < FirstType || type > LastType) {
        return nullptr;
    }
    return dynamic_cast<const WbMessageEvent*>(event);
}

bool WbMessageEvent::send(QObject* receiver, WbMessage message, qintptr first, qintptr second)
{
    if (receiver == nullptr) {
        return false;
    }
    WbMessageEvent event(message, first, second);
    return QCoreApplication::sendEvent(receiver, &event);
}

} // namespace trek

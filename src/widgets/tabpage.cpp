// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tabpage.h"

#include "widgets/wbmessages.h"

namespace trek {

CTabPage::CTabPage(QWidget* parent) : QWidget(parent) {}

bool CTabPage::event(QEvent* event)
{
    if (const WbMessageEvent* message = WbMessageEvent::from(event)) {
        switch (message->message()) {
        case WbMessage::DataChanged:
            OnDataChanged();
            emit dataChangedHandled();
            return true;
        case WbMessage::Refresh:
            OnRefresh();
            emit refreshHandled();
            return true;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

} // namespace trek

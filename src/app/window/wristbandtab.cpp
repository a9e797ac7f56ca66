// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window/wristbandtab.h"

#include "app/currentlanguage.h"
#include "app/window/pagefactory.h"
#include "widgets/tabpage.h"
#include "widgets/wbmessages.h"

namespace trek {

CWristbandTab::CWristbandTab(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("wristbandTab"));
    // Every page's name stays in view; the window grows rather than hide tabs behind arrows.
    setUsesScrollButtons(false);
    connect(this, &QTabWidget::currentChanged, this, &CWristbandTab::onCurrentChanged);
}

void CWristbandTab::AddPage(CTabPage* page, const QString& title)
{
    addTab(page, title);
    if (m_current < 0) {
        m_current = currentIndex();
    }
}

CTabPage* CWristbandTab::Page(int index) const
{
    return qobject_cast<CTabPage*>(widget(index));
}

void CWristbandTab::RetitlePages()
{
    for (int index = 0; index < count(); ++index) {
        setTabText(index, GetLangText(PageTitleRow(index)));
    }
}

bool CWristbandTab::event(QEvent* event)
{
    if (const WbMessageEvent* message = WbMessageEvent::from(event)) {
        switch (message->message()) {
        case WbMessage::DataChanged:
        case WbMessage::Refresh:
            relayToAllPages(static_cast<int>(message->message()));
            return true;
        case WbMessage::DateSelected:
            // Only the report follows the calendar.
            WbMessageEvent::send(Page(static_cast<int>(PageIndex::Report)), WbMessage::DataChanged);
            return true;
        default:
            break;
        }
    }
    return QTabWidget::event(event);
}

void CWristbandTab::relayToAllPages(int message)
{
    for (int index = 0; index < count(); ++index) {
        WbMessageEvent::send(Page(index), static_cast<WbMessage>(message));
    }
}

void CWristbandTab::onCurrentChanged(int index)
{
    const int left = m_current;
    m_current = index;
    // The user options take effect when the person leaves their page, so the rest of the
    // program sees them from then on.
    if (left == static_cast<int>(PageIndex::UserOption) && left != index) {
        WbMessageEvent::send(Page(left), WbMessage::Refresh);
    }
    if (QWidget* page = widget(index)) {
        page->setFocus(Qt::TabFocusReason);
    }
}

} // namespace trek

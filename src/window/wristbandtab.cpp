// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/wristbandtab.h"

#include "app/currentlanguage.h"
#include "widgets/tabpage.h"
#include "widgets/wbmessages.h"

#include <QSignalBlocker>
#include <QTimer>

namespace trek {

CWristbandTab::CWristbandTab(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("wristbandTab"));
    // Every page's name stays in view; the window grows rather than hide tabs behind arrows.
    setUsesScrollButtons(false);
    connect(this, &QTabWidget::currentChanged, this, &CWristbandTab::OnCurrentChanged);
    QAccessible::installActivationObserver(this);
}

CWristbandTab::~CWristbandTab()
{
    QAccessible::removeActivationObserver(this);
}

void CWristbandTab::AddPages(int shown)
{
    m_adding = true;
    for (int index = 0; index < PageCount; ++index) {
        addTab(new CTabPage(this), GetLangText(PageTitleRow(index)));
    }
    m_adding = false;
    if (currentIndex() == shown) {
        OnCurrentChanged(shown); // builds it and gives it the focus, as opening it does
    } else {
        setCurrentIndex(shown);
    }
    if (QAccessible::isActive()) {
        accessibilityActiveChanged(true);
    }
}

bool CWristbandTab::IsBuilt(int index) const
{
    return index >= 0 && index < PageCount && m_built.at(static_cast<std::size_t>(index));
}

CTabPage* CWristbandTab::Page(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    if (index >= PageCount || IsBuilt(index)) {
        return qobject_cast<CTabPage*>(widget(index));
    }
    m_built.at(static_cast<std::size_t>(index)) = true;
    CTabPage* page = CreatePage(index, this);
    QWidget* standIn = widget(index);
    // The page goes in before its stand-in, which then leaves; nobody outside sees the current
    // tab move while they swap places.
    const QSignalBlocker quiet(this);
    const bool shown = currentIndex() == index;
    insertTab(index, page, tabText(index));
    if (shown) {
        setCurrentIndex(index);
    }
    removeTab(index + 1);
    delete standIn;
    return page;
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
            // A page not built yet reads the news when it is.
            RelayToBuiltPages(static_cast<int>(message->message()));
            return true;
        case WbMessage::DateSelected:
            // Only the report follows the calendar.
            if (IsBuilt(static_cast<int>(PageIndex::Report))) {
                WbMessageEvent::send(Page(static_cast<int>(PageIndex::Report)),
                                     WbMessage::DataChanged);
            }
            return true;
        default:
            break;
        }
    }
    return QTabWidget::event(event);
}

void CWristbandTab::RelayToBuiltPages(int message)
{
    for (int index = 0; index < count(); ++index) {
        if (IsBuilt(index)) {
            WbMessageEvent::send(Page(index), static_cast<WbMessage>(message));
        }
    }
}

void CWristbandTab::OnCurrentChanged(int index)
{
    if (m_adding) {
        return;
    }
    const int left = m_current;
    m_current = index;
    // The user options take effect when the person leaves their page, so the rest of the
    // program sees them from then on.
    if (left == static_cast<int>(PageIndex::UserOption) && left != index && IsBuilt(left)) {
        WbMessageEvent::send(Page(left), WbMessage::Refresh);
    }
    if (QWidget* page = Page(index)) {
        page->setFocus(Qt::TabFocusReason);
    }
}

void CWristbandTab::BuildRemainingPages()
{
    for (int index = 0; index < count(); ++index) {
        (void)Page(index);
    }
}

void CWristbandTab::accessibilityActiveChanged(bool active)
{
    // A screen reader walks every page, the hidden ones too: once one listens, the pages not yet
    // opened are built as soon as the window is idle.
    if (active) {
        QTimer::singleShot(0, this, &CWristbandTab::BuildRemainingPages);
    }
}

} // namespace trek

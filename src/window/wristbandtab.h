// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/pagefactory.h"

#include <QAccessible>
#include <QTabWidget>
#include <array>

namespace trek {

class CTabPage;

// The tab control of the main window. A page is built when its tab is first opened or someone
// asks for it, and reads its state then; until then an empty stand-in holds its place, so the
// window opens with only what its first frame shows. The control passes the data-changed and
// refresh messages on to the pages built so far, and turns a date selection into data changed
// for the report page alone.
class CWristbandTab final : public QTabWidget, private QAccessible::ActivationObserver
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWristbandTab)
public:
    explicit CWristbandTab(QWidget* parent = nullptr);
    ~CWristbandTab() override;

    // Adds every page's tab, in tab order, and opens page `shown`.
    void AddPages(int shown);
    // Page `index`, built first if it was not yet; null for an index out of range.
    CTabPage* Page(int index);
    bool IsBuilt(int index) const;
    // Sets the tab texts from the language table in the current language.
    void RetitlePages();

protected:
    bool event(QEvent* event) override;

private:
    void OnCurrentChanged(int index);
    void RelayToBuiltPages(int message);
    void BuildRemainingPages();
    void accessibilityActiveChanged(bool active) override;

    std::array<bool, PageCount> m_built{};
    int m_current = -1;
    bool m_adding = false;
};

} // namespace trek

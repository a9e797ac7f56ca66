// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTabWidget>

namespace trek {

class CTabPage;

// The tab control of the main window. It passes the data-changed and refresh messages on to
// every page, and turns a date selection into data changed for the report page alone.
class CWristbandTab final : public QTabWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWristbandTab)
public:
    explicit CWristbandTab(QWidget* parent = nullptr);

    void AddPage(CTabPage* page, const QString& title);
    CTabPage* Page(int index) const;
    // Sets the tab texts from the language table in the current language.
    void RetitlePages();

protected:
    bool event(QEvent* event) override;

private:
    void onCurrentChanged(int index);
    void relayToAllPages(int message);

    int m_current = -1;
};

} // namespace trek

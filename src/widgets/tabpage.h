// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace trek {

// Base of the six pages of the main window. The tab control hands it the data-changed and
// refresh messages; a page reloads or redraws itself in the two hooks.
class CTabPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTabPage)
public:
    explicit CTabPage(QWidget* parent = nullptr);

signals:
    // Emitted after the page has handled the message, for whoever wants to follow it.
    void dataChangedHandled();
    void refreshHandled();

protected:
    bool event(QEvent* event) override;
    // The store or the link changed: reload what the page shows.
    virtual void OnDataChanged() {}
    // Settings, language or units changed: show texts and values anew.
    virtual void OnRefresh() {}
};

} // namespace trek

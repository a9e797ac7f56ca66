// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// The one way the core asks and tells the user: the main window in the GUI, the terminal in the
// command-line tool, a recorder in tests. Nothing below the pages opens a box of its own.
class UserInterface
{
public:
    // Answers of askYesNo(), as the picture message box gives them.
    static constexpr int Yes = 1;
    static constexpr int No = 7;
    static constexpr int Closed = 2;

    virtual ~UserInterface() = default;

    virtual void setStatusText(const QString& text) = 0;
    // Shows `text` in the drive label with its large font.
    virtual void setDriveLabel(const QString& text) = 0;
    virtual int askYesNo(const QString& title, const QString& message) = 0;
    // A plain message box with an OK button, titled with the program's name.
    virtual void showMessage(const QString& message) = 0;
    // Lets waiting events run so the window stays alive during long device and file work.
    virtual void pumpMessages() = 0;
    // The store or the link changed: every page reloads.
    virtual void notifyDataChanged() = 0;
    // Settings or the connected wristband changed: every page refreshes its texts and values.
    virtual void notifyRefresh() = 0;
    // The main window's progress bar: its position in percent and the text drawn on it (empty:
    // the percentage); with `textShown` false, a bare bar. Nothing where there is no bar.
    virtual void setProgress(int percent, const QString& text, bool textShown)
    {
        Q_UNUSED(percent);
        Q_UNUSED(text);
        Q_UNUSED(textShown);
    }
    // The wait cursor, for waits with nothing to show; every setBusy(true) is followed by a
    // setBusy(false).
    virtual void setBusy(bool busy) { Q_UNUSED(busy); }
};

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/userinterface.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace trek::test {

// A user interface that writes down what the program shows, in order, and answers questions as
// told.
class RecordingUi final : public UserInterface
{
public:
    void setStatusText(const QString& text) override { statusTexts << text; }
    void setDriveLabel(const QString& text) override { driveLabels << text; }
    int askYesNo(const QString& title, const QString& message) override
    {
        questions << title + u'|' + message;
        return answer;
    }
    void showMessage(const QString& message) override { messages << message; }
    void pumpMessages() override
    {
        ++pumps;
        if (onPump) {
            onPump();
        }
    }
    void notifyDataChanged() override { ++dataChanged; }
    void notifyRefresh() override { ++refreshes; }
    void setProgress(int percent, const QString& text, bool textShown) override
    {
        progress << (textShown ? QStringLiteral("%1|%2").arg(percent).arg(text)
                               : QStringLiteral("%1|-").arg(percent));
    }
    void setBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        busyTimes += busy ? 1 : 0;
    }

    // Forgets what was shown; the answer and the pump hook stay.
    void clear()
    {
        statusTexts.clear();
        driveLabels.clear();
        questions.clear();
        messages.clear();
        pumps = 0;
        dataChanged = 0;
        refreshes = 0;
        progress.clear();
        busyTimes = 0;
    }

    int answer = UserInterface::Yes;
    QStringList statusTexts;
    QStringList driveLabels;
    QStringList questions;
    QStringList messages;
    int pumps = 0;
    int dataChanged = 0;
    int refreshes = 0;
    // "percent|text" for each progress call, "percent|-" when the bar shows no text.
    QStringList progress;
    int busyDepth = 0; // 0 again once every wait cursor is taken away
    int busyTimes = 0;
    std::function<void()> onPump;
};

} // namespace trek::test

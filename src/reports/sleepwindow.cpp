// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/sleepwindow.h"

#include "app/appstate.h"
#include "app/settingstable.h"

#include <QDir>
#include <algorithm>

namespace trek {

SleepWindow SleepWindow::Clamped(int startHour, int endHour)
{
    const int start = std::clamp(startHour, 0, LastStartHour);
    int end = std::clamp(endHour, 1, LastEndHour);
    if (end <= start) {
        end = start + 1;
    }
    return {start, end};
}

SleepWindow ReadSleepWindow()
{
    return SleepWindow::Clamped(setting::SleepStartHour.Read(), setting::SleepEndHour.Read());
}

Result<> WriteSleepWindow(const SleepWindow& window)
{
    const Result<> written = WriteSettings({setting::SleepStartHour.Entry(window.startHour()),
                                            setting::SleepEndHour.Entry(window.endHour())});
    if (!written) {
        return fail(QStringLiteral("The sleep window could not be written to %1: %2")
                        .arg(QDir::toNativeSeparators(appState().settingsPath), written.error()));
    }
    return {};
}

} // namespace trek

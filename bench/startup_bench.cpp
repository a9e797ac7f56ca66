// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how long the main window takes from construction to its first painted frame.
// Each run builds the window anew on a fresh shared state with simulated services, so the
// figure covers reading the settings, building the controls and pages, and the first paint.

#include "app/appstate.h"
#include "app/startup.h"
#include "app/window/wristbanddlg.h"
#include "doubles/memoryprofile.h"
#include "doubles/simdesktopservices.h"
#include "doubles/simsystemservices.h"
#include "platform/services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Ends the wait at the window's first paint event.
class FirstPaint final : public QObject
{
public:
    explicit FirstPaint(QEventLoop& loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Leave the loop after this paint has finished.
            QTimer::singleShot(0, &m_loop, &QEventLoop::quit);
        }
        return false;
    }

private:
    QEventLoop& m_loop;
    bool m_seen = false;
};

double MeasureOnce()
{
    trek::resetAppState();
    trek::InitialiseStartupValues(QStringLiteral("/bench"));
    QElapsedTimer clock;
    clock.start();
    trek::CWristbandDlg::Options options;
    options.updateCheckAllowed = false;
    options.startDiscovery = false;
    trek::CWristbandDlg window(options);
    QEventLoop loop;
    FirstPaint watcher(loop);
    window.installEventFilter(&watcher);
    window.show();
    QTimer::singleShot(10000, &loop, &QEventLoop::quit); // never hang the benchmark
    loop.exec();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 9;

    trek::platform::MemoryProfile profile;
    trek::platform::SimSystemServices system;
    trek::platform::SimDesktopServices desktop;
    trek::platform::Services& services = trek::appState().services;
    services.profile = &profile;
    services.system = &system;
    services.desktop = &desktop;

    const double first = MeasureOnce(); // also loads fonts and plugins, so it is kept apart
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        times.push_back(MeasureOnce());
    }
    std::sort(times.begin(), times.end());
    std::printf("startup to first paint: median %.1f ms over %d runs (min %.1f, max %.1f); "
                "first run of the process %.1f ms\n",
                times.at(times.size() / 2), runs, times.front(), times.back(), first);
    services = trek::platform::Services{};
    return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <functional>
#include <utility>

// Header only, so that the bare window the start-up benchmark compares against can use it
// without linking anything of ours.
namespace trek {

// Calls `done` once, right after the watched window's first paint: the paint and the flush of
// the backing store run in one go, so the next turn of the event loop finds the frame shown.
class FirstFrameWatch final : public QObject
{
public:
    FirstFrameWatch(QWidget& window, std::function<void()> done)
        : QObject(&window), m_done(std::move(done))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, m_done);
        }
        return false;
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

// The moment of the first frame on the monotonic clock the benchmark shares with its children,
// as one line on standard output.
inline void PrintFirstFrameStamp()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    (void)std::printf("first frame at %lld ns\n",
                      static_cast<long long>(
                          std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()));
    (void)std::fflush(stdout);
}

} // namespace trek

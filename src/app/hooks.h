// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <functional>

namespace trek {

// The places where a higher layer or a test plugs into the core. Each is empty by default, and
// the core then does its own plain thing.
struct Hooks
{
    // Discovery hands every wristband it finds to the collection run, which lives above the
    // device layer; without it, discovery only shows the wristband in the drive label.
    std::function<void()> collectionRun;
    // The time-set page's part in a clock check: `clockCheckStarted` disables its buttons before
    // the wristband is read, `clockCheckFinished` applies its control rules afterwards, whether
    // the read succeeded or not.
    std::function<void()> clockCheckStarted;
    std::function<void()> clockCheckFinished;
    // The PC's local time; tests freeze it so written files and measured drifts are exact.
    std::function<QDateTime()> localClock;
    // How the volume lock retry waits; tests record the waits instead of sleeping.
    std::function<void(int milliseconds)> retryWait;
};

} // namespace trek

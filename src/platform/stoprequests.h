// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/result.h"

#include <QObject>
#include <memory>

namespace trek::platform {

// A long-running program learns here that the user (Ctrl+C), the terminal (hang-up) or the
// service manager asked it to end. The notice arrives through the event loop, never in the middle
// of the work a signal interrupted, so a collection in progress can finish before the program
// leaves.
class StopRequests : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // `signalNumber` is the POSIX number of the request (SIGTERM, SIGINT, SIGHUP).
    void stopRequested(int signalNumber);
};

// Catches the stop signals from now on, until the object is destroyed, which restores what the
// process did with them before. Only one may exist at a time; a second fails with a reason.
Result<std::unique_ptr<StopRequests>> catchStopRequests();

} // namespace trek::platform

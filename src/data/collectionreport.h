// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trek {

// What one collection run achieved, for callers that must tell success from failure (the
// command-line tool's exit status); the window shows the same through its message boxes.
struct CollectionReport
{
    // Something new was taken: the records of a pass-through wristband that said it had new data,
    // or day files not stored before.
    bool collected = false;
    int filesImported = 0;
    int filesFailed = 0;     // day files left on the wristband after an error
    bool readFailed = false; // a reading was given up; its records stay on the device
    bool streamWithoutEnd = false;
    int daysStored = 0; // days of the store that the run's commits changed
    QString lastError;  // the reason of the last failure, one sentence
    bool failed() const { return filesFailed > 0 || readFailed || streamWithoutEnd; }

    // Shows a plain message box; `reason` (may be empty) follows the message on its own line
    // and is kept as lastError.
    void tell(const QString& message, const QString& reason = QString());
};

} // namespace trek

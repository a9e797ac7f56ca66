// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/daysteps.h"
#include "emulator/deviceclock.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

namespace trek::emu {

enum class DayFileKind { Text, Kdx };

// A wristband that is a plain removable disk: a folder stands for its root. It writes its day
// files there with the marker USBWATCH.DAT and its CLOCK.TXT, and when it is unplugged it takes
// the clock and display settings the PC left in CLOCK.TXT.
class FileModelWristband final
{
public:
    static constexpr int DisplayEntryCount = 10;
    static constexpr int PictureSize = 40;
    static constexpr int MaxMessageLength = 36;

    explicit FileModelWristband(QString root, ClockFunction hostNow = {});
    Q_DISABLE_COPY_MOVE(FileModelWristband)
    ~FileModelWristband() = default;

    const QString& root() const { return m_root; }

    // Creates the folder if needed and writes one day file per day, USBWATCH.DAT and CLOCK.TXT.
    // Returns the error sentence, or an empty string on success.
    QString makeDisk(const StepHistory& history, DayFileKind kind);

    // Applies CLOCK.TXT: the clock from "Date=" and "Time=" (which it then consumes, leaving a
    // "REM :" line in their place, so the next unplug does not turn the clock back), and the
    // correction, hour mode, speed, display entries, message and picture. A missing CLOCK.TXT
    // changes nothing. Returns the error sentence, or an empty string on success.
    QString unplug();

    DeviceClock& clock() { return m_clock; }
    const DeviceClock& clock() const { return m_clock; }
    int hourMode() const { return m_hourMode; }
    int scrollSpeed() const { return m_scrollSpeed; }
    const std::array<int, DisplayEntryCount>& displayEntries() const { return m_display; }
    const QByteArray& message() const { return m_message; }
    const std::array<std::uint8_t, PictureSize>& picture() const { return m_picture; }

    // The CLOCK.TXT the wristband writes for its current settings (CR LF line ends).
    QByteArray clockFileText() const;

private:
    void applyLine(const QByteArray& key, const QByteArray& value, QDate& date, QTime& time);

    QString m_root;
    DeviceClock m_clock;
    int m_hourMode = 0;
    int m_scrollSpeed = 4;
    std::array<int, DisplayEntryCount> m_display{6, 0, 6, 9, 10, 4, 9, 0, 0, 0};
    QByteArray m_message;
    std::array<std::uint8_t, PictureSize> m_picture{};
};

} // namespace trek::emu

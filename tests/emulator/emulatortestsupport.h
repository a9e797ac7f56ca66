// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulator/deviceclock.h"
#include "emulator/scsitarget.h"
#include "platform/scsisense.h"
#include "platform/scsitransport.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <cstdint>
#include <initializer_list>

namespace trek::emu::test {

// Host time that only moves when a test moves it.
struct FakeHostClock
{
    QDateTime now{QDate(2026, 3, 1), QTime(10, 0), Qt::UTC};
    ClockFunction function()
    {
        return [this] {
            return now;
        };
    }
};

inline std::array<std::uint8_t, 16> Cdb(std::initializer_list<std::uint8_t> bytes)
{
    std::array<std::uint8_t, 16> cdb{};
    std::copy(bytes.begin(), bytes.end(), cdb.begin());
    return cdb;
}

// What the device answered to one command, with the buffer it read into or wrote from.
struct Reply
{
    std::uint8_t status = 0;
    std::uint32_t residue = 0;
    bool deviceGone = false;
    platform::SenseInfo sense;
    QByteArray data;
};

inline Reply Execute(ScsiTarget& target, std::initializer_list<std::uint8_t> cdb,
                     platform::DataDirection direction, QByteArray data)
{
    platform::PassThroughRequest request;
    request.cdb = Cdb(cdb);
    request.direction = direction;
    request.data = data.isEmpty() ? nullptr : reinterpret_cast<std::uint8_t*>(data.data());
    request.length = static_cast<std::uint32_t>(data.size());
    const bool gone = target.execute(request) == ScsiTarget::Outcome::DeviceGone;
    return {request.scsiStatus, request.residue, gone, platform::decodeSense(request),
            std::move(data)};
}

// A read from the device into a zeroed buffer, as the program sends it.
inline Reply Read(ScsiTarget& target, std::initializer_list<std::uint8_t> cdb, int length)
{
    return Execute(target, cdb, platform::DataDirection::FromDevice, QByteArray(length, '\0'));
}

inline std::uint8_t ByteAt(const QByteArray& bytes, qsizetype offset)
{
    return static_cast<std::uint8_t>(bytes.at(offset));
}

// A 512-byte block filled with one byte value, so blocks can be told apart.
inline QByteArray FilledBlock(char fill)
{
    return QByteArray(512, fill);
}

} // namespace trek::emu::test

#pragma once

#include "emulator/deviceclock.h"
#include "emulator/scsitarget.h"

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

// A read from the device into a zeroed buffer, as the program sends it.
struct Reply
{
    ScsiTarget::Result result;
    QByteArray data;
};

inline Reply Read(ScsiTarget& target, std::initializer_list<std::uint8_t> cdb, int length)
{
    QByteArray data(length, '\0');
    const ScsiTarget::Result result = target.execute(Cdb(cdb), ScsiTarget::FromDevice,
                                                     reinterpret_cast<std::uint8_t*>(data.data()),
                                                     static_cast<std::uint32_t>(length));
    return {result, data};
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

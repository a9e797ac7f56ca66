// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/sgstatus.h"

#include <cerrno>
#include <gtest/gtest.h>

using trek::platform::sgTransportError;

TEST(SgTransportError, DeviceAnswerIsNoError)
{
    EXPECT_EQ(sgTransportError(0, 0, 0), 0);
    // DRIVER_SENSE only says that sense data came along; the status byte decides.
    EXPECT_EQ(sgTransportError(0, 0, 0x08), 0);
}

TEST(SgTransportError, FailedExchangesGiveErrnoCodes)
{
    // Whatever the header says is meaningless once the ioctl failed.
    EXPECT_EQ(sgTransportError(EACCES, 0x01, 0x06), EACCES);
    EXPECT_EQ(sgTransportError(-1, 0, 0), EIO);

    const struct
    {
        std::uint16_t host;
        int expected;
    } hosts[] = {{0x01, ENODEV}, {0x02, EBUSY},     {0x03, ETIMEDOUT},
                 {0x04, ENODEV}, {0x05, ECANCELED}, {0x07, EIO},
                 {0x0c, EAGAIN}, {0x0f, ENODEV},    {0x42, EIO}};
    for (const auto& row : hosts) {
        // The host failure wins over the driver byte.
        EXPECT_EQ(sgTransportError(0, row.host, 0x08), row.expected) << "host status " << row.host;
    }

    const struct
    {
        std::uint16_t driver;
        int expected;
    } drivers[] = {{0x01, EBUSY}, {0x06, ETIMEDOUT}, {0x04, EIO}, {0x07, EIO}, {0x26, ETIMEDOUT}};
    for (const auto& row : drivers) {
        EXPECT_EQ(sgTransportError(0, 0, row.driver), row.expected)
            << "driver status " << row.driver;
    }
}

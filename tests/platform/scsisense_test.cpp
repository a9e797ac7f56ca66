// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scsisense.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <gtest/gtest.h>

using trek::platform::classifyExchange;
using trek::platform::decodeSense;
using trek::platform::PassThroughRequest;

namespace {

// Fixed-format sense: ILLEGAL REQUEST, INVALID COMMAND OPERATION CODE (20/00).
constexpr std::array<std::uint8_t, 18> FixedIllegalRequest{0x70, 0, 0x05, 0, 0, 0,    0,
                                                           10,   0, 0,    0, 0, 0x20, 0x00};
// Descriptor-format sense: NOT READY, MEDIUM NOT PRESENT (3A/00).
constexpr std::array<std::uint8_t, 8> DescriptorNotReady{0x72, 0x02, 0x3a, 0x00, 0, 0, 0, 0};

PassThroughRequest answered(std::uint8_t status, const std::uint8_t* sense, std::size_t length)
{
    PassThroughRequest request;
    request.scsiStatus = status;
    if (sense != nullptr) {
        std::copy_n(sense, length, request.sense.begin());
        request.senseLength = static_cast<std::uint8_t>(length);
    }
    return request;
}

} // namespace

TEST(SenseDecoding, ReadsBothFormats)
{
    const auto fixed = decodeSense(FixedIllegalRequest.data(), FixedIllegalRequest.size());
    EXPECT_TRUE(fixed.valid);
    EXPECT_FALSE(fixed.deferred);
    EXPECT_EQ(fixed.key, 0x05);
    EXPECT_EQ(fixed.asc, 0x20);
    EXPECT_EQ(fixed.ascq, 0x00);

    const auto descriptor = decodeSense(DescriptorNotReady.data(), DescriptorNotReady.size());
    EXPECT_TRUE(descriptor.valid);
    EXPECT_EQ(descriptor.key, 0x02);
    EXPECT_EQ(descriptor.asc, 0x3a);

    const std::array<std::uint8_t, 4> deferredDescriptor{0x73, 0x04, 0x44, 0x01};
    const auto deferred = decodeSense(deferredDescriptor.data(), deferredDescriptor.size());
    EXPECT_TRUE(deferred.deferred);
    EXPECT_EQ(deferred.key, 0x04);
    EXPECT_EQ(deferred.ascq, 0x01);

    // The valid bit (0x80) of the fixed format must not hide the response code.
    std::array<std::uint8_t, 18> validBit = FixedIllegalRequest;
    validBit[0] = 0xf0;
    EXPECT_TRUE(decodeSense(validBit.data(), validBit.size()).valid);
}

TEST(SenseDecoding, RejectsWhatIsNoSense)
{
    EXPECT_FALSE(decodeSense(nullptr, 18).valid);
    EXPECT_FALSE(decodeSense(FixedIllegalRequest.data(), 0).valid);
    const std::array<std::uint8_t, 18> vendorSpecific{0x7f, 0, 0x05};
    EXPECT_FALSE(decodeSense(vendorSpecific.data(), vendorSpecific.size()).valid);
    // A fixed block cut short before its additional sense code still has a usable key.
    const auto shortFixed = decodeSense(FixedIllegalRequest.data(), 8);
    EXPECT_TRUE(shortFixed.valid);
    EXPECT_EQ(shortFixed.key, 0x05);
    EXPECT_EQ(shortFixed.asc, 0);
    // Only the bytes the device wrote count, not what an earlier answer left in the buffer.
    PassThroughRequest stale = answered(0x00, FixedIllegalRequest.data(), 18);
    stale.senseLength = 0;
    EXPECT_FALSE(decodeSense(stale).valid);
    EXPECT_EQ(classifyExchange(0, stale), 0);
}

TEST(ExchangeClassification, GoodStatusAndDeviceStatuses)
{
    EXPECT_EQ(classifyExchange(0, PassThroughRequest{}), 0);
    EXPECT_EQ(classifyExchange(0, answered(0x02, FixedIllegalRequest.data(), 18)), -2);
    EXPECT_EQ(classifyExchange(0, answered(0x08, nullptr, 0)), -8);    // BUSY
    EXPECT_EQ(classifyExchange(0, answered(0x18, nullptr, 0)), -0x18); // RESERVATION CONFLICT
    EXPECT_EQ(classifyExchange(0, answered(0x02, DescriptorNotReady.data(), 8)), -2);
    // A failed exchange wins over whatever status and sense the request holds.
    EXPECT_EQ(classifyExchange(ENODEV, answered(0x02, FixedIllegalRequest.data(), 18)), ENODEV);
}

TEST(ExchangeClassification, SenseWithoutStatusIsNotSuccess)
{
    // A bridge that drops the status byte but returns an error sense did not succeed.
    EXPECT_EQ(classifyExchange(0, answered(0x00, FixedIllegalRequest.data(), 18)), -2);
    // NO SENSE and RECOVERED ERROR are successes with a remark.
    const std::array<std::uint8_t, 18> recovered{0x70, 0, 0x01};
    EXPECT_EQ(classifyExchange(0, answered(0x00, recovered.data(), recovered.size())), 0);
    const std::array<std::uint8_t, 18> noSense{0x70, 0, 0x00};
    EXPECT_EQ(classifyExchange(0, answered(0x00, noSense.data(), noSense.size())), 0);
    // A deferred error belongs to an earlier command.
    const std::array<std::uint8_t, 18> deferred{0x71, 0, 0x03};
    EXPECT_EQ(classifyExchange(0, answered(0x00, deferred.data(), deferred.size())), 0);
}

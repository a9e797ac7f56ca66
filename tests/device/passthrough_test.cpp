// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/vendorcommands.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace trek {
namespace {

using platform::DataDirection;
using platform::PassThroughRequest;

// A transport that records every request with a copy of the data it carried, and answers with
// prepared results.
class RecordingTransport final : public platform::ScsiTransport
{
public:
    struct Sent
    {
        DeviceHandle handle = 0;
        PassThroughRequest request;
        std::vector<std::uint8_t> dataAtSend;
    };

    DeviceHandle openVolume(char letter) override
    {
        openedLetters.push_back(letter);
        return openFails ? platform::InvalidDeviceHandle : nextHandle();
    }
    DeviceHandle openDevicePath(const QString& path) override
    {
        openedPaths << path;
        return openFails ? platform::InvalidDeviceHandle : nextHandle();
    }
    void close(DeviceHandle handle) override { closed.push_back(handle); }
    int send(DeviceHandle handle, PassThroughRequest& request) override
    {
        Sent sent{handle, request, {}};
        if (request.data != nullptr) {
            sent.dataAtSend.assign(request.data, request.data + request.length);
        }
        sends.push_back(sent);
        return sendResult;
    }
    int lock(DeviceHandle /*handle*/) override { return nextVolumeResult(); }
    int unlock(DeviceHandle /*handle*/) override { return nextVolumeResult(); }

    bool openFails = false;
    int sendResult = 0;
    std::vector<int> volumeResults; // one per attempt; 0 once they run out
    int volumeAttempts = 0;
    std::vector<char> openedLetters;
    QStringList openedPaths;
    std::vector<DeviceHandle> closed;
    std::vector<Sent> sends;

private:
    DeviceHandle nextHandle() { return ++m_handles + 40; }
    int nextVolumeResult()
    {
        const auto at = static_cast<std::size_t>(volumeAttempts++);
        return at < volumeResults.size() ? volumeResults[at] : 0;
    }
    int m_handles = 0;
};

std::array<std::uint8_t, 16> cdbOf(std::initializer_list<std::uint8_t> head)
{
    std::array<std::uint8_t, 16> cdb{};
    std::copy(head.begin(), head.end(), cdb.begin());
    return cdb;
}

class PassThroughTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetAppState();
        appState().services.scsi = &transport;
        appState().hooks.retryWait = [this](int ms) {
            waits.push_back(ms);
        };
    }
    void TearDown() override { resetAppState(); }

    RecordingTransport transport;
    std::vector<int> waits;
    static constexpr DeviceHandle Handle = 7;
};

TEST_F(PassThroughTest, IdentityQueryByLetterOpensSendsAndCloses)
{
    std::array<std::uint8_t, 128> buffer{};
    buffer.fill(0xAA);
    EXPECT_EQ(InquireIdentity('F', buffer.data()), 0);

    ASSERT_EQ(transport.sends.size(), 1U);
    const auto& sent = transport.sends[0];
    EXPECT_EQ(transport.openedLetters, std::vector<char>{'F'});
    EXPECT_EQ(transport.closed, std::vector<DeviceHandle>{sent.handle});
    EXPECT_EQ(sent.request.cdb, cdbOf({0x12, 0x00, 0x00, 0x00, 0x24}));
    EXPECT_EQ(sent.request.direction, DataDirection::FromDevice);
    EXPECT_EQ(sent.request.length, 44U);
    EXPECT_EQ(sent.request.timeoutMs, 3000U);
    // The 44 bytes the device may fill are zeroed first; the rest of the caller's buffer is not
    // the command's.
    EXPECT_EQ(sent.dataAtSend, std::vector<std::uint8_t>(44, 0));
    EXPECT_EQ(buffer[44], 0xAA);
}

TEST_F(PassThroughTest, VendorCommandsCarryTheirBlocksDirectionsAndTimeouts)
{
    std::array<std::uint8_t, 512> block{};
    block.fill(0x5A);
    ReadSettingsBlock(Handle, block.data());
    EXPECT_EQ(block, (std::array<std::uint8_t, 512>{})); // whole 512-byte block zeroed

    std::array<std::uint8_t, 256> settings{};
    for (std::size_t i = 0; i < settings.size(); ++i) {
        settings[i] = static_cast<std::uint8_t>(i);
    }
    WriteSettingsBlock(Handle, settings.data());

    block.fill(0x5A);
    ReadMemoryBlock(Handle, 0x61, block.data());
    EndCollection(Handle);
    ReadNextRecordBlock(Handle, block.data());

    ASSERT_EQ(transport.sends.size(), 5U);
    for (const auto& sent : transport.sends) {
        EXPECT_EQ(sent.handle, Handle);
    }
    EXPECT_TRUE(transport.openedLetters.empty());
    EXPECT_TRUE(transport.closed.empty()); // the held handle stays open

    const auto& read = transport.sends[0].request;
    EXPECT_EQ(read.cdb, cdbOf({0xFE, 0x00}));
    EXPECT_EQ(read.direction, DataDirection::FromDevice);
    EXPECT_EQ(read.length, 256U);
    EXPECT_EQ(read.timeoutMs, 3000U);

    const auto& write = transport.sends[1];
    EXPECT_EQ(write.request.cdb, cdbOf({0xFE, 0x01}));
    EXPECT_EQ(write.request.direction, DataDirection::ToDevice);
    EXPECT_EQ(write.request.length, 256U);
    EXPECT_EQ(write.dataAtSend, std::vector<std::uint8_t>(settings.begin(), settings.end()));

    const auto& memory = transport.sends[2];
    EXPECT_EQ(memory.request.cdb, cdbOf({0xFE, 0x02, 0x00, 0x00, 0x61, 0x00}));
    EXPECT_EQ(memory.request.length, 512U);
    EXPECT_EQ(memory.dataAtSend, std::vector<std::uint8_t>(512, 0));
    EXPECT_EQ(memory.request.timeoutMs, 3000U);

    const auto& end = transport.sends[3].request;
    EXPECT_EQ(end.cdb, cdbOf({0xFE, 0x03}));
    EXPECT_EQ(end.direction, DataDirection::None);
    EXPECT_EQ(end.length, 0U);
    EXPECT_EQ(end.data, nullptr);
    EXPECT_EQ(end.timeoutMs, 3000U);

    const auto& stream = transport.sends[4];
    EXPECT_EQ(stream.request.cdb, cdbOf({0xFE, 0x04}));
    EXPECT_EQ(stream.request.direction, DataDirection::FromDevice);
    EXPECT_EQ(stream.request.length, 512U);
    EXPECT_EQ(stream.request.timeoutMs, 10000U);
    EXPECT_EQ(stream.dataAtSend, std::vector<std::uint8_t>(512, 0));
}

TEST_F(PassThroughTest, ResultsOfTheThreeVariants)
{
    PassThroughRequest request;
    transport.sendResult = -2; // CHECK CONDITION
    EXPECT_EQ(SendPassThrough('E', request), -2);
    EXPECT_EQ(SendPassThrough(QStringLiteral("/dev/sg1"), request), -2);
    EXPECT_EQ(transport.openedPaths, QStringList{QStringLiteral("/dev/sg1")});
    EXPECT_EQ(transport.closed.size(), 2U); // both one-shot variants close what they opened
    transport.sendResult = 19;              // the exchange itself failed
    EXPECT_EQ(SendPassThrough(Handle, request), 19);

    transport.openFails = true;
    const auto sendsBefore = transport.sends.size();
    EXPECT_EQ(SendPassThrough('E', request), -1);
    EXPECT_EQ(SendPassThrough(QStringLiteral("/dev/sg1"), request), -1);
    EXPECT_EQ(transport.sends.size(), sendsBefore); // nothing sent to a device that did not open
}

TEST_F(PassThroughTest, LockSucceedingAtTheThirdAttemptWaitsTwice)
{
    transport.volumeResults = {32, 32, 0};
    EXPECT_EQ(LockVolume(Handle), 0);
    EXPECT_EQ(transport.volumeAttempts, 3);
    EXPECT_EQ(waits, (std::vector<int>{200, 200}));
}

TEST_F(PassThroughTest, UnlockGivesUpAfterThreeFailuresWithTheLastError)
{
    transport.volumeResults = {5, 16, 32, 0};
    EXPECT_EQ(UnlockVolume(Handle), 32);
    EXPECT_EQ(transport.volumeAttempts, 3);
    EXPECT_EQ(waits, (std::vector<int>{200, 200, 200}));
}

} // namespace
} // namespace trek

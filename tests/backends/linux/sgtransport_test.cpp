// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/linuxdrivetable.h"
#include "backends/linux/sgtransport.h"
#include "mockbed.h"
#include "platform/scsisense.h"
#include "sgresponder.h"
#include "tempdir.h"

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <gtest/gtest.h>
#include <scsi/sg.h>
#include <vector>

using namespace trek::platform;
using trek::test::FakeDiskLayout;
using trek::test::MockBed;
using trek::test::Reply;
using trek::test::SeenRequest;

namespace {

class NoDisks final : public DriveNodeLookup
{
public:
    std::optional<DiskNodes> nodesForLetter(char) const override { return std::nullopt; }
    std::optional<DiskNodes> nodesForDevicePath(const QString&) const override
    {
        return std::nullopt;
    }
};

class SgTransportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!trek::test::umockdevActive()) {
            GTEST_SKIP() << "needs the umockdev preload library (package umockdev)";
        }
        m_bed.addDisk(FakeDiskLayout{});
        m_dir.write(
            QStringLiteral("mountinfo"),
            "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n90 22 8:17 / /media/w rw - vfat /dev/sdb1 rw\n");
        m_responder = std::make_unique<trek::test::SgResponder>(m_bed.testbed(), "/dev/sg2");
        ASSERT_TRUE(m_responder->attached());
        m_table = std::make_unique<LinuxDriveTable>(
            LinuxDriveTableConfig{m_dir.filePath(QStringLiteral("mountinfo")), false});
        m_transport = std::make_unique<SgTransport>(*m_table);
    }

    void TearDown() override
    {
        // The transport closes its descriptors before the responder goes away.
        m_transport.reset();
        m_table.reset();
        m_responder.reset();
    }

    SeenRequest lastSeen() const
    {
        const std::vector<SeenRequest> seen = m_responder->seen();
        return seen.empty() ? SeenRequest{} : seen.back();
    }
    void replyNext(Reply reply) const { m_responder->replyNext(std::move(reply)); }

    static PassThroughRequest request(std::initializer_list<std::uint8_t> cdb,
                                      DataDirection direction, std::uint8_t* data,
                                      std::uint32_t length, std::uint32_t timeoutMs = 3000)
    {
        PassThroughRequest r;
        std::copy(cdb.begin(), cdb.end(), r.cdb.begin());
        r.direction = direction;
        r.data = data;
        r.length = length;
        r.timeoutMs = timeoutMs;
        return r;
    }

    MockBed m_bed;
    trek::test::TempDir m_dir;
    std::unique_ptr<trek::test::SgResponder> m_responder;
    std::unique_ptr<LinuxDriveTable> m_table;
    std::unique_ptr<SgTransport> m_transport;
};

} // namespace

TEST_F(SgTransportTest, CommandsReachTheKernelInterfaceAsAsked)
{
    const DeviceHandle handle = m_transport->openVolume('D');
    ASSERT_NE(handle, InvalidDeviceHandle);

    std::array<std::uint8_t, 128> identity{};
    auto inquiry = request({0x12, 0, 0, 0, 0x24}, DataDirection::FromDevice, identity.data(), 44);
    ASSERT_EQ(m_transport->send(handle, inquiry), 0);
    EXPECT_EQ(inquiry.residue, 8u); // the device answered 36 of the 44 bytes
    SeenRequest seen = lastSeen();
    EXPECT_EQ(seen.interfaceId, 'S');
    EXPECT_EQ(seen.direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.cmdLen, 16u);
    EXPECT_EQ(seen.dxferLen, 44u);
    EXPECT_EQ(seen.timeout, 3000u);
    EXPECT_EQ(seen.mxSbLen, SgTransport::SenseBufferLength);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0x12, 0, 0, 0, 0x24}));
    EXPECT_EQ(std::memcmp(identity.data() + 8, "Watch K7E", 9), 0);
    EXPECT_EQ(identity[22], 1); // the new-data byte, 14 after "Watch"

    std::array<std::uint8_t, 512> block{};
    auto settingsRead = request({0xfe, 0x00}, DataDirection::FromDevice, block.data(), 256);
    ASSERT_EQ(m_transport->send(handle, settingsRead), 0);
    EXPECT_EQ(settingsRead.residue, 0u);
    seen = lastSeen();
    EXPECT_EQ(seen.direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.dxferLen, 256u);
    EXPECT_EQ(block[255], 255);
    EXPECT_EQ(block[256], 0); // nothing beyond the asked length

    std::array<std::uint8_t, 256> settings{};
    for (std::size_t i = 0; i < settings.size(); ++i) {
        settings[i] = static_cast<std::uint8_t>(255 - i);
    }
    auto write = request({0xfe, 0x01}, DataDirection::ToDevice, settings.data(), 256);
    ASSERT_EQ(m_transport->send(handle, write), 0);
    seen = lastSeen();
    EXPECT_EQ(seen.direction, SG_DXFER_TO_DEV);
    EXPECT_EQ(seen.dxferLen, 256u);
    EXPECT_EQ(seen.cdb[0], 0xfe);
    EXPECT_EQ(seen.cdb[1], 0x01);
    EXPECT_EQ(seen.written, std::vector<std::uint8_t>(settings.begin(), settings.end()));

    auto endCollection = request({0xfe, 0x03}, DataDirection::None, nullptr, 0);
    ASSERT_EQ(m_transport->send(handle, endCollection), 0);
    seen = lastSeen();
    EXPECT_EQ(seen.direction, SG_DXFER_NONE);
    EXPECT_EQ(seen.dxferLen, 0u);
    EXPECT_EQ(seen.cdb[1], 0x03);

    auto streamRead = request({0xfe, 0x04}, DataDirection::FromDevice, block.data(), 512, 10000);
    ASSERT_EQ(m_transport->send(handle, streamRead), 0);
    seen = lastSeen();
    EXPECT_EQ(seen.dxferLen, 512u);
    EXPECT_EQ(seen.timeout, 10000u);
    EXPECT_EQ(block[1], 1 ^ 0x04);

    m_transport->close(handle);
    EXPECT_EQ(m_transport->send(handle, endCollection), EBADF);
}

TEST_F(SgTransportTest, FailuresComeBackDecoded)
{
    const DeviceHandle handle = m_transport->openDevicePath(QStringLiteral("/dev/sg2"));
    ASSERT_NE(handle, InvalidDeviceHandle);
    std::array<std::uint8_t, 512> block{};
    auto read = request({0xfe, 0x04}, DataDirection::FromDevice, block.data(), 512, 10000);

    replyNext(Reply{.hostStatus = 0x01, .sense = {}}); // DID_NO_CONNECT: the wristband was pulled
    EXPECT_EQ(m_transport->send(handle, read), ENODEV);
    replyNext(Reply{.hostStatus = 0x03, .sense = {}}); // DID_TIME_OUT
    EXPECT_EQ(m_transport->send(handle, read), ETIMEDOUT);
    replyNext(Reply{.driverStatus = 0x06, .sense = {}}); // DRIVER_TIMEOUT
    EXPECT_EQ(m_transport->send(handle, read), ETIMEDOUT);
    replyNext(Reply{.ioctlErrno = EIO, .sense = {}});
    EXPECT_EQ(m_transport->send(handle, read), EIO);
    replyNext(Reply{.status = 0x02, .driverStatus = 0x08, .sense = {0x72, 0x05, 0x20, 0x00}});
    EXPECT_EQ(m_transport->send(handle, read), -2);
    EXPECT_EQ(read.scsiStatus, 0x02);
    EXPECT_EQ(read.senseLength, 4);
    EXPECT_EQ(decodeSense(read).asc, 0x20);
    replyNext(
        Reply{.status = 0x00, .sense = {0x70, 0, 0x03, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x11, 0x00}});
    EXPECT_EQ(m_transport->send(handle, read), -2); // medium error despite a good status byte
    EXPECT_EQ(decodeSense(read).key, 0x03);
    EXPECT_EQ(m_transport->send(handle, read), 0); // and the next command is fine again
    EXPECT_EQ(read.senseLength, 0);                // without the sense of the one before

    // A data direction without a buffer never reaches the device.
    const std::size_t before = m_responder->seen().size();
    auto noBuffer = request({0xfe, 0x00}, DataDirection::FromDevice, nullptr, 256);
    EXPECT_EQ(m_transport->send(handle, noBuffer), EINVAL);
    EXPECT_EQ(m_responder->seen().size(), before);
    m_transport->close(handle);
}

TEST_F(SgTransportTest, OpeningAndLockingTheDisk)
{
    EXPECT_EQ(m_transport->openVolume('E'), InvalidDeviceHandle);
    EXPECT_EQ(m_transport->openDevicePath(QStringLiteral("/dev/sg7")), InvalidDeviceHandle);

    const DeviceHandle first = m_transport->openVolume('D');
    const DeviceHandle second = m_transport->openDevicePath(QStringLiteral("/dev/sg2"));
    ASSERT_NE(first, InvalidDeviceHandle);
    ASSERT_NE(second, InvalidDeviceHandle);

    EXPECT_EQ(m_transport->unlock(first), 0); // nothing held: nothing to fail on
    EXPECT_EQ(m_transport->lock(first), 0);
    EXPECT_EQ(m_transport->lock(first), 0); // already ours
    EXPECT_EQ(m_transport->lock(second), EWOULDBLOCK);
    EXPECT_EQ(m_transport->unlock(first), 0);
    EXPECT_EQ(m_transport->lock(second), 0);
    // Closing a locked handle releases its lock.
    m_transport->close(second);
    EXPECT_EQ(m_transport->lock(first), 0);
    m_transport->close(first);
    EXPECT_EQ(m_transport->lock(first), EBADF);

    // A device path the drive table does not know can be talked to, but not locked.
    NoDisks nothingKnown;
    SgTransport bare(nothingKnown);
    const DeviceHandle unknown = bare.openDevicePath(QStringLiteral("/dev/sg2"));
    ASSERT_NE(unknown, InvalidDeviceHandle);
    EXPECT_EQ(bare.lock(unknown), ENODEV);
    std::array<std::uint8_t, 256> block{};
    auto read = request({0xfe, 0x00}, DataDirection::FromDevice, block.data(), 256);
    EXPECT_EQ(bare.send(unknown, read), 0);
    bare.close(unknown);
}

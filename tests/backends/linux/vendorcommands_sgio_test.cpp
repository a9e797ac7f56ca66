// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "backends/linux/linuxdriveservices.h"
#include "device/vendorcommands.h"
#include "mockbed.h"
#include "sgresponder.h"
#include "tempdir.h"

#include <array>
#include <cerrno>
#include <gtest/gtest.h>
#include <scsi/sg.h>
#include <vector>

using namespace trek::platform;
using trek::test::SeenRequest;

namespace {

// The wristband's commands, from the device layer's wrappers down to what the sg driver gets.
class CommandsOverSgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!trek::test::umockdevActive()) {
            GTEST_SKIP() << "needs the umockdev preload library (package umockdev)";
        }
        m_bed.addDisk(trek::test::FakeDiskLayout{});
        m_bed.addDisk(trek::test::FakeDiskLayout{
            .host = 8, .disk = "sdd", .diskMinor = 48, .generic = "sg4", .genericMinor = 4});
        m_dir.write(QStringLiteral("mountinfo"), "22 1 8:2 / / rw - ext4 /dev/sda2 rw\n"
                                                 "90 22 8:17 / /media/w rw - vfat /dev/sdb1 rw\n");
        m_letterDisk = std::make_unique<trek::test::SgResponder>(m_bed.testbed(), "/dev/sg2");
        m_pathDisk = std::make_unique<trek::test::SgResponder>(m_bed.testbed(), "/dev/sg4");
        ASSERT_TRUE(m_letterDisk->attached() && m_pathDisk->attached());
        m_services = createLinuxDriveServices(
            LinuxDriveTableConfig{m_dir.filePath(QStringLiteral("mountinfo")), false});
        trek::resetAppState();
        trek::appState().services.drives = m_services->drives.get();
        trek::appState().services.scsi = m_services->scsi.get();
    }

    void TearDown() override
    {
        trek::resetAppState();
        m_services.reset();
        m_letterDisk.reset();
        m_pathDisk.reset();
    }

    static SeenRequest last(trek::test::SgResponder& responder)
    {
        const std::vector<SeenRequest> seen = responder.seen();
        return seen.empty() ? SeenRequest{} : seen.back();
    }

    trek::test::MockBed m_bed;
    trek::test::TempDir m_dir;
    std::unique_ptr<trek::test::SgResponder> m_letterDisk;
    std::unique_ptr<trek::test::SgResponder> m_pathDisk;
    std::unique_ptr<LinuxDriveServices> m_services;
};

} // namespace

TEST_F(CommandsOverSgTest, IdentityByLetterAndByDevicePath)
{
    std::array<std::uint8_t, 128> identity{};
    ASSERT_EQ(trek::InquireIdentity('D', identity.data()), 0);
    SeenRequest seen = last(*m_letterDisk);
    EXPECT_EQ(seen.interfaceId, 'S');
    EXPECT_EQ(seen.direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.cmdLen, 16u);
    EXPECT_EQ(seen.dxferLen, 44u);
    EXPECT_EQ(seen.timeout, 3000u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0x12, 0, 0, 0, 0x24}));
    EXPECT_EQ(identity[8], 'W');
    EXPECT_EQ(identity[16], 'E');

    // The one device without a volume is what discovery walks by path.
    ASSERT_EQ(trek::appState().services.drives->diskDevicePaths(),
              QStringList{QStringLiteral("/dev/sg4")});
    identity.fill(0);
    ASSERT_EQ(trek::InquireIdentity(QStringLiteral("/dev/sg4"), identity.data()), 0);
    EXPECT_EQ(last(*m_pathDisk).dxferLen, 44u);
    EXPECT_EQ(identity[22], 1);

    // Neither a letter without a volume nor an unknown node can be opened.
    EXPECT_EQ(trek::InquireIdentity('E', identity.data()), -1);
    EXPECT_EQ(trek::InquireIdentity(QStringLiteral("/dev/sg9"), identity.data()), -1);
}

TEST_F(CommandsOverSgTest, VendorCommandsOnAnOpenHandle)
{
    const trek::DeviceHandle handle = trek::OpenVolume('D');
    ASSERT_NE(handle, InvalidDeviceHandle);
    std::array<std::uint8_t, 512> block{};

    ASSERT_EQ(trek::ReadSettingsBlock(handle, block.data()), 0);
    SeenRequest seen = last(*m_letterDisk);
    EXPECT_EQ(seen.direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.dxferLen, 256u);
    EXPECT_EQ(seen.timeout, 3000u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0xfe, 0x00}));

    std::array<std::uint8_t, 256> settings{};
    settings.fill(0x5a);
    ASSERT_EQ(trek::WriteSettingsBlock(handle, settings.data()), 0);
    seen = last(*m_letterDisk);
    EXPECT_EQ(seen.direction, SG_DXFER_TO_DEV);
    EXPECT_EQ(seen.dxferLen, 256u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0xfe, 0x01}));
    EXPECT_EQ(seen.written, std::vector<std::uint8_t>(256, 0x5a));

    ASSERT_EQ(trek::ReadMemoryBlock(handle, 124, block.data()), 0);
    seen = last(*m_letterDisk);
    EXPECT_EQ(seen.dxferLen, 512u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0xfe, 0x02, 0, 0, 124, 0}));

    ASSERT_EQ(trek::EndCollection(handle), 0);
    seen = last(*m_letterDisk);
    EXPECT_EQ(seen.direction, SG_DXFER_NONE);
    EXPECT_EQ(seen.dxferLen, 0u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0xfe, 0x03}));

    ASSERT_EQ(trek::ReadNextRecordBlock(handle, block.data()), 0);
    seen = last(*m_letterDisk);
    EXPECT_EQ(seen.direction, SG_DXFER_FROM_DEV);
    EXPECT_EQ(seen.dxferLen, 512u);
    EXPECT_EQ(seen.timeout, 10000u);
    EXPECT_EQ(seen.cdb, (std::array<std::uint8_t, 16>{0xfe, 0x04}));

    // A pulled wristband: the block stays zeroed and the error comes back.
    m_letterDisk->replyNext(trek::test::Reply{.hostStatus = 0x01, .sense = {}});
    EXPECT_EQ(trek::ReadNextRecordBlock(handle, block.data()), ENODEV);
    EXPECT_EQ(block, (std::array<std::uint8_t, 512>{}));
    EXPECT_EQ(m_letterDisk->seen().size(), 6u);

    EXPECT_EQ(trek::LockVolume(handle), 0);
    EXPECT_EQ(trek::UnlockVolume(handle), 0);
    trek::CloseDevice(handle);
}

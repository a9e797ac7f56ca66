// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped udev rule: read as udevd 252 reads it, then run over a faked sysfs whose SCSI
// vendor field is what the emulated wristbands answer to INQUIRY.

#include "emulator/inquiryanswer.h"
#include "emulator/passthroughwristband.h"
#include "mockbed.h"
#include "udevrules.h"

#include <QFile>
#include <array>
#include <gtest/gtest.h>
#include <libudev.h>
#include <utility>

using trek::emu::PassThroughWristband;
using trek::test::ApplyUdevRules;
using trek::test::FakeDisk;
using trek::test::FakeDiskLayout;
using trek::test::MockBed;
using trek::test::ParseUdevRules;
using trek::test::UdevOutcome;
using trek::test::UdevRuleLine;

namespace {

QString ShippedRule()
{
    QFile file(QStringLiteral(TREK_UDEV_RULE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << TREK_UDEV_RULE;
    return QString::fromUtf8(file.readAll());
}

// The vendor field of an INQUIRY answer as the kernel shows it in sysfs: its 8 bytes and a
// newline.
QByteArray VendorAttribute(const std::uint8_t* answer)
{
    constexpr int VendorOffset = 8;
    constexpr int VendorLength = 8;
    return QByteArray(reinterpret_cast<const char*>(answer) + VendorOffset, VendorLength) + '\n';
}

QByteArray WristbandVendor(PassThroughWristband::Model model)
{
    PassThroughWristband band(model, {});
    std::array<std::uint8_t, trek::emu::InquiryLength> answer{};
    trek::platform::PassThroughRequest inquiry;
    inquiry.cdb = {0x12, 0, 0, 0, static_cast<std::uint8_t>(answer.size())};
    inquiry.direction = trek::platform::DataDirection::FromDevice;
    inquiry.data = answer.data();
    inquiry.length = static_cast<std::uint32_t>(answer.size());
    (void)band.execute(inquiry);
    EXPECT_EQ(inquiry.scsiStatus, 0);
    return VendorAttribute(answer.data());
}

TEST(UdevRuleSyntax, TheShippedRuleReadsCleanlyAndBrokenLinesDoNot)
{
    const auto shipped = ParseUdevRules(ShippedRule());
    ASSERT_TRUE(shipped) << shipped.error().toStdString();

    const std::pair<const char*, const char*> broken[] = {
        {"SUBSYSTEM=\"scsi\"", "SUBSYSTEM does not take ="},
        {"ATRS{vendor}==\"Watch*\"", "unknown key ATRS"},
        {"ATTRS==\"Watch*\"", "attribute missing"},
        {"SUBSYSTEM{block}==\"scsi\"", "attribute missing or not allowed"},
        {"MODE+=\"0660\"", "MODE does not take +="},
        {"SUBSYSTEM==\"scsi\" TAG+=\"uaccess\"", "a comma must separate"},
        {"RUN{builtin}+=\"kmdo load sg\"", "unknown builtin"},
        {"RUN{bultin}+=\"kmod load sg\"", "RUN has no {bultin}"},
        {"ACTION==\"add|remvoe\"", "unknown action remvoe"},
        {"LABEL=\"end\"\nGOTO=\"end\"", "no later LABEL"},
        {"TAG+=\"uaccess", "not closed"},
        {"TAG+=uaccess", "double quotes"},
        {"SUBSYSTEM==\"scsi\", \\\n  TAG+=\"uaccess\" RUN+=\"x\"", "line 1: a comma"},
    };
    for (const auto& [text, reason] : broken) {
        const auto parsed = ParseUdevRules(QString::fromUtf8(text));
        ASSERT_FALSE(parsed) << text;
        EXPECT_TRUE(parsed.error().contains(QString::fromUtf8(reason)))
            << text << " -> " << parsed.error().toStdString();
    }
}

class UdevRuleFit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!trek::test::umockdevActive()) {
            GTEST_SKIP() << "needs the umockdev preload library (package umockdev)";
        }
        const auto parsed = ParseUdevRules(ShippedRule());
        ASSERT_TRUE(parsed) << parsed.error().toStdString();
        m_rules = *parsed;
        m_udev = udev_new();
    }
    void TearDown() override
    {
        if (m_udev != nullptr) {
            udev_unref(m_udev);
        }
    }

    UdevOutcome apply(const QByteArray& syspath, const char* action) const
    {
        udev_device* device = udev_device_new_from_syspath(m_udev, syspath.constData());
        EXPECT_NE(device, nullptr) << syspath.constData();
        if (device == nullptr) {
            return {};
        }
        UdevOutcome outcome = ApplyUdevRules(m_rules, QString::fromLatin1(action), device);
        udev_device_unref(device);
        EXPECT_TRUE(outcome.unhandled.isEmpty()) << outcome.unhandled.join(u' ').toStdString();
        return outcome;
    }

    QList<UdevRuleLine> m_rules;
    udev* m_udev = nullptr;
};

TEST_F(UdevRuleFit, BothWristbandModelsHandTheirNodesToTheSeatAndLoadSg)
{
    const QStringList uaccess{QStringLiteral("uaccess")};
    const QStringList loadSg{QStringLiteral("builtin:kmod load sg")};
    for (const auto model : {PassThroughWristband::Model::K7, PassThroughWristband::Model::K9E}) {
        SCOPED_TRACE(model == PassThroughWristband::Model::K7 ? "K7" : "K9E");
        MockBed bed;
        const QByteArray vendor = WristbandVendor(model);
        const FakeDisk disk = bed.addDisk(FakeDiskLayout{.vendor = vendor.constData()});

        EXPECT_EQ(apply(disk.generic, "add").tags, uaccess);
        EXPECT_EQ(apply(disk.disk, "add").tags, uaccess);
        EXPECT_EQ(apply(disk.scsiDevice, "add").runs, loadSg);
        // A change event (a medium change on the disk) keeps the access.
        EXPECT_EQ(apply(disk.disk, "change").tags, uaccess);
        // The volume is the desktop's to mount; the sg module is loaded once per device.
        const UdevOutcome partition = apply(disk.partition, "add");
        EXPECT_TRUE(partition.tags.isEmpty() && partition.runs.isEmpty());
        EXPECT_TRUE(apply(disk.generic, "add").runs.isEmpty());
    }
}

TEST_F(UdevRuleFit, PlainDisksAndRemovalsAreLeftAlone)
{
    MockBed bed;
    const QByteArray plain = VendorAttribute(trek::emu::PlainDiskInquiry().data());
    const FakeDisk other = bed.addDisk(FakeDiskLayout{.vendor = plain.constData()});
    const QByteArray vendor = WristbandVendor(PassThroughWristband::Model::K9E);
    const FakeDisk band = bed.addDisk(FakeDiskLayout{.host = 7,
                                                     .disk = "sdc",
                                                     .diskMinor = 32,
                                                     .generic = "sg3",
                                                     .genericMinor = 3,
                                                     .vendor = vendor.constData()});

    for (const QByteArray& node : {other.scsiDevice, other.disk, other.partition, other.generic}) {
        const UdevOutcome outcome = apply(node, "add");
        EXPECT_TRUE(outcome.tags.isEmpty() && outcome.runs.isEmpty()) << node.constData();
    }
    for (const QByteArray& node : {band.scsiDevice, band.disk, band.generic}) {
        const UdevOutcome outcome = apply(node, "remove");
        EXPECT_TRUE(outcome.tags.isEmpty() && outcome.runs.isEmpty()) << node.constData();
    }
}

} // namespace

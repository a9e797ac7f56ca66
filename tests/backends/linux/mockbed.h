// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

typedef struct _UMockdevTestbed UMockdevTestbed;

namespace trek::test {

// True when this process runs with the umockdev preload library, which redirects /sys and
// /dev into the test bed. The test programs of this folder restart themselves with it.
bool umockdevActive();

struct FakeDiskLayout
{
    int host = 6;             // SCSI host number; unique per disk
    const char* disk = "sdb"; // block device name; the node is /dev/<disk>
    std::uint32_t diskMinor = 16;
    bool partition = true;       // add <disk>1 with minor diskMinor + 1
    const char* generic = "sg2"; // scsi_generic name, or nullptr for none
    std::uint32_t genericMinor = 2;
    bool usb = true;
    bool removable = true;
    const char* vendor = "Watch K7";
    // The volume's label as udev encodes it in ID_FS_LABEL_ENC, on the partition or, without
    // one, on the disk; nullptr for none.
    const char* labelEnc = nullptr;
};

struct FakeDisk
{
    QByteArray scsiDevice;
    QByteArray disk;
    QByteArray partition; // empty without one
    QByteArray generic;   // empty without one
};

// A umockdev test bed with helpers for SCSI disks. One per test; not copyable.
class MockBed
{
public:
    MockBed();
    ~MockBed();
    MockBed(const MockBed&) = delete;
    MockBed& operator=(const MockBed&) = delete;

    UMockdevTestbed* testbed() const { return m_testbed; }
    QString rootDir() const;

    // The whole chain usb_device, usb_interface, scsi host, target, scsi_device, disk,
    // partition and scsi_generic, with device node files for the disk and the sg node.
    FakeDisk addDisk(const FakeDiskLayout& option);
    void setAttribute(const QByteArray& syspath, const char* name, const QByteArray& value);
    void uevent(const QByteArray& syspath, const char* action);
    void remove(const QByteArray& syspath);

private:
    QByteArray addDevice(const char* subsystem, const QByteArray& name, const QByteArray& parent,
                         const QList<QByteArray>& attributes, const QList<QByteArray>& properties);
    void createNode(const QByteArray& name, bool block) const;

    UMockdevTestbed* m_testbed = nullptr;
};

} // namespace trek::test

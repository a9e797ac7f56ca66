// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "doubles/memoryprofile.h"
#include "doubles/simdesktopservices.h"
#include "doubles/simsystemservices.h"
#include "platform/drivetable.h"
#include "platform/scsitransport.h"

#include <QList>
#include <gtest/gtest.h>

namespace trek::test {

// A machine with no drives whose notices the test sends by hand.
class QuietDriveTable final : public platform::DriveTable
{
    Q_OBJECT
public:
    std::uint32_t logicalDriveMask() const override { return 0; }
    QString driveRoot(char /*letter*/) const override { return {}; }
    QStringList diskDevicePaths() const override { return {}; }

    void announceArrival(std::uint32_t mask) { emit volumeArrived(mask); }
    void announceRemoval(std::uint32_t mask) { emit volumeRemoved(mask); }
    void announceChange() { emit devicesChanged(); }
};

// A transport that opens nothing and remembers what it was asked to close.
class RecordingTransport final : public platform::ScsiTransport
{
public:
    platform::DeviceHandle openVolume(char /*letter*/) override
    {
        return platform::InvalidDeviceHandle;
    }
    platform::DeviceHandle openDevicePath(const QString& /*path*/) override
    {
        return platform::InvalidDeviceHandle;
    }
    void close(platform::DeviceHandle handle) override { closed.append(handle); }
    int send(platform::DeviceHandle /*handle*/, platform::PassThroughRequest& /*r*/) override
    {
        return 1;
    }
    int lock(platform::DeviceHandle /*handle*/) override { return 1; }
    int unlock(platform::DeviceHandle /*handle*/) override { return 1; }

    QList<platform::DeviceHandle> closed;
};

// Simulated services, a fresh shared state and a settings file in memory for every test.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the settings file with `text` (INI lines) and starts afresh on it.
    void setSettings(const QByteArray& text);

    platform::MemoryProfile profile;
    platform::SimSystemServices system;
    platform::SimDesktopServices desktop;
    QuietDriveTable drives;
    RecordingTransport scsi;
};

} // namespace trek::test

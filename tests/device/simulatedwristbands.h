// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/sim/simulateddriveservices.h"
#include "doubles/memoryprofile.h"
#include "support/recordingui.h"
#include "tempdir.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <memory>

namespace trek::test {

// Simulated drives and emulated wristbands behind the platform services, with a settings file
// in memory, a recording user interface and a PC clock the test moves by hand. The drive table's
// notices reach the discovery calls as the main window routes them.
class SimulatedWristbandTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Installs the drives of "--drive" values; relative paths are taken inside the temp folder.
    void useDrives(const QStringList& options);
    // A folder drive's root, created with the given files (name -> content).
    QString makeFolder(const QString& name, const QStringList& files);
    // A record image of zero blocks, enough for an emulated wristband to be plugged in.
    QString makeImage(const QString& name);
    platform::SimulatedDriveTable& table() { return *m_sim->drives; }
    platform::EmulatorTransport& transport() { return *m_sim->scsi; }
    emu::PassThroughWristband& wristbandAt(char letter);
    emu::PassThroughWristband& starWristband();
    int readDisplayMode() const;

    TempDir dir;
    RecordingUi ui;
    platform::MemoryProfile profile;
    QDateTime pcNow{QDate(2026, 6, 10), QTime(14, 30, 15)};

private:
    std::unique_ptr<platform::SimulatedDriveServices> m_sim;
};

} // namespace trek::test

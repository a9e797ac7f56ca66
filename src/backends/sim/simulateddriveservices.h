// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/sim/emulatortransport.h"
#include "backends/sim/simulateddrivetable.h"
#include "emulator/deviceclock.h"
#include "platform/result.h"

#include <QStringList>
#include <memory>

namespace trek::platform {

struct Services;

// The simulated drives of a run and the transport that reaches them, created together because
// the transport finds a drive's device through the table. When any drive is simulated, only
// simulated drives exist: nothing depends on the disks of the machine.
struct SimulatedDriveServices
{
    std::unique_ptr<SimulatedDriveTable> drives;
    std::unique_ptr<EmulatorTransport> scsi;

    // Puts the table and the transport into `services`; they must outlive its use.
    void installInto(Services& services) const;
};

// Builds the drives from "--drive" values; a bad value or a letter given twice is an error.
Result<std::unique_ptr<SimulatedDriveServices>>
createSimulatedDriveServices(const QStringList& driveOptions, emu::ClockFunction hostNow = {});

} // namespace trek::platform

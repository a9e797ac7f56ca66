// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/simulateddriveservices.h"

#include "platform/services.h"

namespace trek::platform {

void SimulatedDriveServices::installInto(Services& services) const
{
    services.drives = drives.get();
    services.scsi = scsi.get();
}

Result<std::unique_ptr<SimulatedDriveServices>>
createSimulatedDriveServices(const QStringList& driveOptions, emu::ClockFunction hostNow)
{
    std::vector<DriveOption> options;
    for (const QString& text : driveOptions) {
        Result<DriveOption> parsed = parseDriveOption(text);
        if (!parsed) {
            return fail(parsed.error());
        }
        for (const DriveOption& earlier : options) {
            if (earlier.letter == parsed->letter && earlier.letter != DriveOption::NoLetter) {
                return fail(
                    QStringLiteral("Drive %1: is given twice.").arg(QLatin1Char(parsed->letter)));
            }
        }
        options.push_back(*parsed);
    }
    auto services = std::make_unique<SimulatedDriveServices>();
    services->drives =
        std::make_unique<SimulatedDriveTable>(std::move(options), std::move(hostNow));
    services->scsi = std::make_unique<EmulatorTransport>(*services->drives);
    return services;
}

} // namespace trek::platform

#include "platform/sim/simulateddriveservices.h"

#include "platform/services.h"

namespace trek::platform {

void SimulatedDriveServices::installInto(Services& services) const
{
    services.drives = drives.get();
    services.scsi = scsi.get();
}

SimulatedDriveServicesResult createSimulatedDriveServices(const QStringList& driveSpecs,
                                                          emu::ClockFunction hostNow)
{
    std::vector<DriveSpec> specs;
    for (const QString& text : driveSpecs) {
        DriveSpecParse parsed = ParseDriveSpec(text);
        if (!parsed.spec) {
            return {nullptr, parsed.error};
        }
        for (const DriveSpec& earlier : specs) {
            if (earlier.letter == parsed.spec->letter && earlier.letter != DriveSpec::NoLetter) {
                return {nullptr, QStringLiteral("Drive %1: is given twice.")
                                     .arg(QLatin1Char(parsed.spec->letter))};
            }
        }
        specs.push_back(*parsed.spec);
    }
    auto services = std::make_unique<SimulatedDriveServices>();
    services->drives = std::make_unique<SimulatedDriveTable>(std::move(specs), std::move(hostNow));
    services->scsi = std::make_unique<EmulatorTransport>(*services->drives);
    return {std::move(services), {}};
}

} // namespace trek::platform

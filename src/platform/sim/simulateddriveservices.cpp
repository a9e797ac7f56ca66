#include "platform/sim/simulateddriveservices.h"

#include "platform/services.h"

namespace trek::platform {

void SimulatedDriveServices::installInto(Services& services) const
{
    services.drives = drives.get();
    services.scsi = scsi.get();
}

SimulatedDriveServicesResult createSimulatedDriveServices(const QStringList& driveOptions,
                                                          emu::ClockFunction hostNow)
{
    std::vector<DriveOption> options;
    for (const QString& text : driveOptions) {
        DriveOptionParse parsed = ParseDriveOption(text);
        if (!parsed.option) {
            return {nullptr, parsed.error};
        }
        for (const DriveOption& earlier : options) {
            if (earlier.letter == parsed.option->letter &&
                earlier.letter != DriveOption::NoLetter) {
                return {nullptr, QStringLiteral("Drive %1: is given twice.")
                                     .arg(QLatin1Char(parsed.option->letter))};
            }
        }
        options.push_back(*parsed.option);
    }
    auto services = std::make_unique<SimulatedDriveServices>();
    services->drives =
        std::make_unique<SimulatedDriveTable>(std::move(options), std::move(hostNow));
    services->scsi = std::make_unique<EmulatorTransport>(*services->drives);
    return {std::move(services), {}};
}

} // namespace trek::platform

#include "platform/setup/drivesetup.h"

#include "platform/linux/linuxdriveservices.h"
#include "platform/services.h"
#include "platform/sim/simulateddriveservices.h"

namespace trek::platform {

struct InstalledDrives::Owned
{
    std::unique_ptr<LinuxDriveServices> real;
    std::unique_ptr<SimulatedDriveServices> simulated;
};

InstalledDrives::InstalledDrives() : m_owned(std::make_unique<Owned>()) {}

InstalledDrives::~InstalledDrives()
{
    services().drives = nullptr;
    services().scsi = nullptr;
}

std::unique_ptr<InstalledDrives> InstalledDrives::install(const QStringList& driveOptions,
                                                          QString* error)
{
    std::unique_ptr<InstalledDrives> installed(new InstalledDrives);
    if (driveOptions.isEmpty()) {
        installed->m_owned->real = createLinuxDriveServices();
        services().drives = installed->m_owned->real->drives.get();
        services().scsi = installed->m_owned->real->scsi.get();
        return installed;
    }
    // Tests and demos must not depend on the machine's disks: with any simulated drive, the
    // real table is never created.
    SimulatedDriveServicesResult simulated = createSimulatedDriveServices(driveOptions);
    if (!simulated.services) {
        if (error != nullptr) {
            *error = simulated.error;
        }
        return nullptr;
    }
    installed->m_owned->simulated = std::move(simulated.services);
    installed->m_owned->simulated->installInto(services());
    return installed;
}

} // namespace trek::platform

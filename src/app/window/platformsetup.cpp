#include "app/window/platformsetup.h"

#include "platform/linux/desktopservices_linux.h"
#include "platform/linux/iniprofile.h"
#include "platform/linux/linuxdriveservices.h"
#include "platform/linux/systemservices_linux.h"
#include "platform/services.h"

#ifdef TREK_HAVE_DRIVES_SIM
#include "platform/sim/simulateddriveservices.h"
#endif

namespace trek {

struct PlatformSetup::Owned
{
    std::unique_ptr<platform::IniProfile> profile;
    std::unique_ptr<platform::LinuxSystemServices> system;
    std::unique_ptr<platform::LinuxDesktopServices> desktop;
    std::unique_ptr<platform::LinuxDriveServices> drives;
#ifdef TREK_HAVE_DRIVES_SIM
    std::unique_ptr<platform::SimulatedDriveServices> simulated;
#endif
};

PlatformSetup::PlatformSetup() : m_owned(std::make_unique<Owned>()) {}

PlatformSetup::~PlatformSetup()
{
    platform::services() = platform::Services{};
}

void PlatformSetup::InstallLinux()
{
    m_owned->profile = std::make_unique<platform::IniProfile>();
    m_owned->system = std::make_unique<platform::LinuxSystemServices>();
    m_owned->desktop = std::make_unique<platform::LinuxDesktopServices>();
    m_owned->drives = platform::createLinuxDriveServices();

    platform::Services& services = platform::services();
    services.profile = m_owned->profile.get();
    services.system = m_owned->system.get();
    services.desktop = m_owned->desktop.get();
    services.drives = m_owned->drives->drives.get();
    services.scsi = m_owned->drives->scsi.get();
}

bool PlatformSetup::InstallSimulatedDrives(const QStringList& specs, QString* error)
{
    if (specs.isEmpty()) {
        return true;
    }
#ifdef TREK_HAVE_DRIVES_SIM
    auto created = platform::createSimulatedDriveServices(specs);
    if (!created.services) {
        if (error != nullptr) {
            *error = created.error;
        }
        return false;
    }
    // Only simulated drives exist from here on; the real table stops being asked.
    m_owned->simulated = std::move(created.services);
    m_owned->simulated->installInto(platform::services());
    return true;
#else
    if (error != nullptr) {
        *error = QStringLiteral("Simulated drives (--drive) are not available in this build.");
    }
    return false;
#endif
}

} // namespace trek

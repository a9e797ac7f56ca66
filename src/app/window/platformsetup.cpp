#include "app/window/platformsetup.h"

#include "platform/linux/desktopservices_linux.h"
#include "platform/linux/iniprofile.h"
#include "platform/linux/systemservices_linux.h"
#include "platform/services.h"
#include "platform/setup/drivesetup.h"

namespace trek {

struct PlatformSetup::Owned
{
    std::unique_ptr<platform::IniProfile> profile;
    std::unique_ptr<platform::LinuxSystemServices> system;
    std::unique_ptr<platform::LinuxDesktopServices> desktop;
    std::unique_ptr<platform::InstalledDrives> drives;
};

PlatformSetup::PlatformSetup() : m_owned(std::make_unique<Owned>()) {}

PlatformSetup::~PlatformSetup()
{
    m_owned->drives.reset();
    platform::services() = platform::Services{};
}

bool PlatformSetup::Install(const QStringList& driveOptions, QString* error)
{
    m_owned->drives = platform::InstalledDrives::install(driveOptions, error);
    if (!m_owned->drives) {
        return false;
    }
    m_owned->profile = std::make_unique<platform::IniProfile>();
    m_owned->system = std::make_unique<platform::LinuxSystemServices>();
    m_owned->desktop = std::make_unique<platform::LinuxDesktopServices>();

    platform::Services& services = platform::services();
    services.profile = m_owned->profile.get();
    services.system = m_owned->system.get();
    services.desktop = m_owned->desktop.get();
    return true;
}

} // namespace trek

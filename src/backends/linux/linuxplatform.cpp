// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/iniprofile.h"
#include "backends/linux/linuxdriveservices.h"
#include "backends/linux/systemservices_linux.h"
#include "backends/linux/trash_linux.h"
#include "backends/linux/udisksejector.h"
#include "backends/sim/simulateddriveservices.h"
#include "platform/platform.h"

namespace trek::platform {

namespace {

class LinuxPlatform final : public Platform
{
public:
    LinuxPlatform(std::unique_ptr<DesktopServices> desktop) : m_desktop(std::move(desktop)) {}
    Q_DISABLE_COPY_MOVE(LinuxPlatform)
    ~LinuxPlatform() override = default;

    Services services() const override
    {
        Services services;
        services.profile = &m_profile;
        services.system = &m_system;
        services.desktop = m_desktop.get();
        services.trash = &m_trash;
        if (m_real) {
            services.drives = m_real->drives.get();
            services.scsi = m_real->scsi.get();
            services.ejector = m_ejector.get();
        } else if (m_simulated) {
            m_simulated->installInto(services);
        }
        return services;
    }

    std::unique_ptr<LinuxDriveServices> m_real;
    std::unique_ptr<SimulatedDriveServices> m_simulated;
    // Only real volumes are unmounted; a simulated drive is a folder that stays.
    std::unique_ptr<UDisksEjector> m_ejector;

private:
    // The services hand out non-const pointers; the platform itself is shared read-only.
    mutable IniProfile m_profile;
    mutable LinuxSystemServices m_system;
    mutable FreedesktopTrash m_trash;
    std::unique_ptr<DesktopServices> m_desktop;
};

} // namespace

Result<std::unique_ptr<Platform>> createPlatform(const QStringList& driveOptions,
                                                 std::unique_ptr<DesktopServices> desktop,
                                                 std::function<QDateTime()> hostNow)
{
    auto platform = std::make_unique<LinuxPlatform>(std::move(desktop));
    if (driveOptions.isEmpty()) {
        platform->m_real = createLinuxDriveServices();
        platform->m_ejector = std::make_unique<UDisksEjector>();
        return std::unique_ptr<Platform>(std::move(platform));
    }
    Result<std::unique_ptr<SimulatedDriveServices>> simulated =
        createSimulatedDriveServices(driveOptions, std::move(hostNow));
    if (!simulated) {
        return fail(simulated.error());
    }
    platform->m_simulated = std::move(*simulated);
    return std::unique_ptr<Platform>(std::move(platform));
}

} // namespace trek::platform

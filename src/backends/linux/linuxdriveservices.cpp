// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/linuxdriveservices.h"

namespace trek::platform {

std::unique_ptr<LinuxDriveServices> createLinuxDriveServices(LinuxDriveTableConfig config)
{
    auto services = std::make_unique<LinuxDriveServices>();
    services->drives = std::make_unique<LinuxDriveTable>(std::move(config));
    services->scsi = std::make_unique<SgTransport>(*services->drives);
    return services;
}

} // namespace trek::platform

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backends/linux/linuxdrivetable.h"
#include "backends/linux/sgtransport.h"

#include <memory>

namespace trek::platform {

// The real drives of this machine and the transport that reaches them, created together
// because the transport finds a letter's nodes through the table.
struct LinuxDriveServices
{
    std::unique_ptr<LinuxDriveTable> drives;
    std::unique_ptr<SgTransport> scsi;
};

std::unique_ptr<LinuxDriveServices> createLinuxDriveServices(LinuxDriveTableConfig config = {});

} // namespace trek::platform

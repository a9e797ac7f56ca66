#pragma once

namespace trek::platform {

class Profile;
class SystemServices;
class DesktopServices;
class DriveTable;
class ScsiTransport;

// The platform services one process runs with. The program's platform factory owns them; tests
// install their own. Not owned here.
struct Services
{
    Profile* profile = nullptr;
    SystemServices* system = nullptr;
    DesktopServices* desktop = nullptr;
    DriveTable* drives = nullptr;
    ScsiTransport* scsi = nullptr;
};

} // namespace trek::platform

#pragma once

namespace trek::platform {

class Profile;
class SystemServices;
class DesktopServices;
class DriveTable;
class ScsiTransport;

// The platform services in use by this process. Start-up installs the Linux ones (or the
// simulated ones when drives are simulated); tests install their own. Not owned here.
struct Services
{
    Profile* profile = nullptr;
    SystemServices* system = nullptr;
    DesktopServices* desktop = nullptr;
    DriveTable* drives = nullptr;
    ScsiTransport* scsi = nullptr;
};

Services& services();

} // namespace trek::platform

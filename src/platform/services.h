// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trek::platform {

class Profile;
class SystemServices;
class DesktopServices;
class DriveTable;
class ScsiTransport;
class VolumeEjector;
class Trash;

// The platform services one process runs with. The program's platform factory owns them; tests
// install their own. Not owned here.
struct Services
{
    Profile* profile = nullptr;
    SystemServices* system = nullptr;
    DesktopServices* desktop = nullptr;
    DriveTable* drives = nullptr;
    ScsiTransport* scsi = nullptr;
    VolumeEjector* ejector = nullptr; // none where volumes cannot be unmounted from here
    Trash* trash = nullptr;           // none: files can only be deleted for good
};

} // namespace trek::platform

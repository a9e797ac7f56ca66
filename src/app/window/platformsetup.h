#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace trek {

// Owns the platform services the program runs with and installs them in services() for as long
// as it lives.
class PlatformSetup final
{
    Q_DISABLE_COPY_MOVE(PlatformSetup)
public:
    PlatformSetup();
    ~PlatformSetup();

    // The real services of this machine.
    void InstallLinux();
    // Replaces the drives with simulated ones ("E=DIR", "F=k9e:IMAGE", ...). False, with a
    // message in `error`, when a drive is given wrongly or simulation is not available.
    bool InstallSimulatedDrives(const QStringList& specs, QString* error);

private:
    struct Owned;
    std::unique_ptr<Owned> m_owned;
};

} // namespace trek

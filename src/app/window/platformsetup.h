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

    // The services of this machine, with its real drives, or only simulated drives when any
    // option ("E=DIR", "F=k9e:IMAGE", ...) is given. False, with a message in `error`, when a
    // drive is given wrongly.
    bool Install(const QStringList& driveOptions, QString* error);

private:
    struct Owned;
    std::unique_ptr<Owned> m_owned;
};

} // namespace trek

#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

namespace trek::platform {

// The drives a run works with: the machine's real removable disks, or, when any --drive option is
// given, only simulated ones. Installs them in services() and takes them out again when it goes.
class InstalledDrives final
{
    Q_DISABLE_COPY_MOVE(InstalledDrives)
public:
    ~InstalledDrives();

    // Null, with one sentence in `error`, when a option is wrong.
    static std::unique_ptr<InstalledDrives> install(const QStringList& driveOptions,
                                                    QString* error);

private:
    InstalledDrives();
    struct Owned;
    std::unique_ptr<Owned> m_owned;
};

} // namespace trek::platform

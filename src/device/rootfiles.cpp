#include "device/rootfiles.h"

#include "app/appstate.h"
#include "platform/devicefile.h"
#include "platform/drivetable.h"

#include <QDir>
#include <QFileInfo>

namespace trek {

QString RootFilePath(const QString& root, const QString& name)
{
    const QDir dir(root);
    QString exact = dir.filePath(name);
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QStringList matches =
        dir.entryList({name}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    return matches.isEmpty() ? exact : dir.filePath(matches.first());
}

QString DriveRootOf(char letter)
{
    const platform::DriveTable* drives = appState().services.drives;
    return drives ? drives->driveRoot(letter) : QString();
}

Result<> WriteMarkerFile(const QString& root, QByteArrayView content)
{
    return platform::writeDeviceFileDurably(RootFilePath(root, QStringLiteral("USBWATCH.DAT")),
                                            content, platform::DeviceFileAttribute::Hidden);
}

} // namespace trek

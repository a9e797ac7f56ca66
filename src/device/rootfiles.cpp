// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/rootfiles.h"

#include "app/appstate.h"
#include "platform/devicefile.h"
#include "platform/drivetable.h"
#include "platform/regularfile.h"

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

Result<> EnsureMarkerFile(char letter)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return fail(QString::asprintf("Drive %c: has no mounted volume.", letter));
    }
    if (platform::isRegularFile(RootFilePath(root, QStringLiteral("USBWATCH.DAT")))) {
        return {};
    }
    QByteArray content = QString::asprintf("%c://USBWATCH.DAT", letter).toLatin1();
    content.resize(MarkerFileLength, '\0');
    return WriteMarkerFile(root, content);
}

} // namespace trek

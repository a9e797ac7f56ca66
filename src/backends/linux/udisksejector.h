// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/volumeejector.h"

#include <QString>
#include <QtGlobal>

class QDBusConnection;

namespace trek::platform {

// Unmounts volumes through UDisks2 on D-Bus, as a desktop's file manager does: the block device
// whose file system is mounted at the root is asked to unmount it, and nothing is powered off.
// The bus is connected at the first question, so a program that never offers a removal never
// talks to it.
class UDisksEjector final : public VolumeEjector
{
public:
    // An empty `busAddress` is the system bus; tests give the address of a private one.
    explicit UDisksEjector(QString busAddress = {});
    ~UDisksEjector() override;
    Q_DISABLE_COPY_MOVE(UDisksEjector)

    bool available() override;
    Result<> unmount(const QString& root) override;

private:
    QDBusConnection bus();

    QString m_busAddress;
    QString m_connectionName;
    bool m_connected = false;
};

} // namespace trek::platform

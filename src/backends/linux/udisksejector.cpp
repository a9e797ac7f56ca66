// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/udisksejector.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QVariantMap>
#include <atomic>

namespace trek::platform {

namespace {

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString ManagerPath = QStringLiteral("/org/freedesktop/UDisks2");
const QString ObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString Filesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
// Unmounting waits for the disk's cache to be written; a slow stick takes its time.
constexpr int UnmountTimeoutMs = 120000;
constexpr int LookupTimeoutMs = 25000;

QString nextConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("trek-udisks-%1").arg(++count);
}

// MountPoints is "aay": each a file name's bytes with a NUL at the end.
QList<QByteArray> mountPointsOf(const QVariant& value)
{
    QList<QByteArray> points;
    if (value.metaType() == QMetaType::fromType<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        argument.beginArray();
        while (!argument.atEnd()) {
            QByteArray point;
            argument >> point;
            points << point;
        }
        argument.endArray();
    } else {
        points = value.value<QList<QByteArray>>();
    }
    for (QByteArray& point : points) {
        if (point.endsWith('\0')) {
            point.chop(1);
        }
    }
    return points;
}

QByteArray cleanedPath(const QByteArray& path)
{
    return QFile::encodeName(QDir::cleanPath(QFile::decodeName(path)));
}

// The object path of the block device whose file system is mounted at `mountPoint`, from an
// answer of GetManagedObjects; empty when there is none.
QString blockObjectMountedAt(const QVariant& managedObjects, const QByteArray& mountPoint)
{
    if (managedObjects.metaType() != QMetaType::fromType<QDBusArgument>()) {
        return {};
    }
    const QByteArray wanted = cleanedPath(mountPoint);
    const auto objects = managedObjects.value<QDBusArgument>();
    QString found;
    // a{oa{sa{sv}}}: object path -> interface name -> property name -> value.
    objects.beginMap();
    while (!objects.atEnd()) {
        objects.beginMapEntry();
        QDBusObjectPath path;
        objects >> path;
        objects.beginMap();
        while (!objects.atEnd()) {
            objects.beginMapEntry();
            QString interfaceName;
            QVariantMap properties;
            objects >> interfaceName >> properties;
            objects.endMapEntry();
            if (interfaceName != Filesystem || !found.isEmpty()) {
                continue;
            }
            for (const QByteArray& point :
                 mountPointsOf(properties.value(QStringLiteral("MountPoints")))) {
                if (cleanedPath(point) == wanted) {
                    found = path.path();
                }
            }
        }
        objects.endMap();
        objects.endMapEntry();
    }
    objects.endMap();
    return found;
}

} // namespace

UDisksEjector::UDisksEjector(QString busAddress)
    : m_busAddress(std::move(busAddress)), m_connectionName(nextConnectionName())
{}

UDisksEjector::~UDisksEjector()
{
    if (m_connected) {
        QDBusConnection::disconnectFromBus(m_connectionName);
    }
}

QDBusConnection UDisksEjector::bus()
{
    if (!m_connected) {
        m_connected = true;
        return m_busAddress.isEmpty()
                   ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, m_connectionName)
                   : QDBusConnection::connectToBus(m_busAddress, m_connectionName);
    }
    return QDBusConnection(m_connectionName);
}

bool UDisksEjector::available()
{
    const QDBusConnection connection = bus();
    const QDBusConnectionInterface* daemon = connection.interface();
    if (!connection.isConnected() || daemon == nullptr) {
        return false;
    }
    if (daemon->isServiceRegistered(Service).value()) {
        return true;
    }
    // UDisks2 is usually started by the bus at the first call to it.
    const QDBusReply<QStringList> activatable = daemon->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(Service);
}

Result<> UDisksEjector::unmount(const QString& root)
{
    const QDBusConnection connection = bus();
    if (!connection.isConnected()) {
        return fail(QStringLiteral("Cannot unmount %1: the system bus is not there (%2)")
                        .arg(root, connection.lastError().message()));
    }
    const QDBusMessage lookup =
        connection.call(QDBusMessage::createMethodCall(Service, ManagerPath, ObjectManager,
                                                       QStringLiteral("GetManagedObjects")),
                        QDBus::Block, LookupTimeoutMs);
    if (lookup.type() != QDBusMessage::ReplyMessage || lookup.arguments().isEmpty()) {
        return fail(QStringLiteral("Cannot unmount %1: UDisks2 does not answer (%2)")
                        .arg(root, lookup.errorMessage()));
    }
    const QString object =
        blockObjectMountedAt(lookup.arguments().constFirst(), QFile::encodeName(root));
    if (object.isEmpty()) {
        return fail(
            QStringLiteral("Cannot unmount %1: UDisks2 knows no volume mounted there").arg(root));
    }
    QDBusMessage request =
        QDBusMessage::createMethodCall(Service, object, Filesystem, QStringLiteral("Unmount"));
    request << QVariantMap(); // no options: no forced unmount
    const QDBusMessage answer = connection.call(request, QDBus::Block, UnmountTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage) {
        return fail(QStringLiteral("Cannot unmount %1: %2").arg(root, answer.errorMessage()));
    }
    return Result<>{};
}

} // namespace trek::platform

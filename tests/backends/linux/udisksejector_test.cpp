// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/udisksejector.h"
#include "tempdir.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

using trek::platform::UDisksEjector;

namespace {

using Interfaces = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, Interfaces>;

const QString Service = QStringLiteral("org.freedesktop.UDisks2");
const QString BlockPrefix = QStringLiteral("/org/freedesktop/UDisks2/block_devices/");

// What the fake service was asked to do, from its own thread.
struct CallLog
{
    QMutex mutex;
    QStringList unmounted; // object path and the options' keys, "path|key,key"
};

// One block device with a file system: UDisks2's Filesystem interface, as far as it is used.
class FakeFilesystem final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.UDisks2.Filesystem")
public:
    FakeFilesystem(QString path, QString refusal, CallLog& log)
        : m_path(std::move(path)), m_refusal(std::move(refusal)), m_log(log)
    {}

public slots:
    Q_SCRIPTABLE void Unmount(const QVariantMap& options)
    {
        {
            const QMutexLocker lock(&m_log.mutex);
            m_log.unmounted << m_path + u'|' + options.keys().join(u',');
        }
        if (!m_refusal.isEmpty()) {
            sendErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy"), m_refusal);
        }
    }

private:
    QString m_path;
    QString m_refusal;
    CallLog& m_log;
};

class FakeObjectManager final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.DBus.ObjectManager")
public:
    explicit FakeObjectManager(ManagedObjects objects) : m_objects(std::move(objects)) {}

public slots:
    Q_SCRIPTABLE ManagedObjects GetManagedObjects() { return m_objects; }

private:
    ManagedObjects m_objects;
};

// A D-Bus daemon of the test's own, on a socket in a temporary folder: nothing here reaches the
// system bus.
class PrivateBus final
{
public:
    PrivateBus()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            return;
        }
        const QString config = m_dir.write(
            QStringLiteral("bus.conf"),
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir=" +
                QFile::encodeName(m_dir.path()) +
                "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                "</policy></busconfig>\n");
        m_process.start(daemon, {QStringLiteral("--config-file=") + config,
                                 QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (m_process.waitForReadyRead(10000)) {
            m_address = QString::fromUtf8(m_process.readLine()).trimmed();
        }
    }
    ~PrivateBus()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    Q_DISABLE_COPY_MOVE(PrivateBus)

    QString address() const { return m_address; }

private:
    trek::test::TempDir m_dir;
    QProcess m_process;
    QString m_address;
};

// A fake UDisks2 on the private bus, answering from a thread of its own so that the ejector's
// blocking calls from the test's thread are served.
class FakeUDisks final
{
public:
    // Block devices by name ("sdz1") with the mount points of their file systems; `refusal`
    // makes every unmount fail with that message.
    FakeUDisks(const QString& address, const std::map<QString, QList<QByteArray>>& blocks,
               const QString& refusal = {})
        : m_connection(QDBusConnection::connectToBus(address, QStringLiteral("fake-udisks")))
    {
        ManagedObjects objects;
        // A drive object with no file system, as UDisks2 lists them too.
        objects[QDBusObjectPath(QStringLiteral("/org/freedesktop/UDisks2/drives/Watch"))]
               [QStringLiteral("org.freedesktop.UDisks2.Drive")] = {
                   {QStringLiteral("Removable"), true}};
        for (const auto& [name, points] : blocks) {
            const QString path = BlockPrefix + name;
            Interfaces& interfaces = objects[QDBusObjectPath(path)];
            interfaces[QStringLiteral("org.freedesktop.UDisks2.Block")] = {
                {QStringLiteral("IdLabel"), name}};
            QList<QByteArray> ended; // UDisks2 ends each mount point with a NUL
            for (const QByteArray& point : points) {
                ended << point + '\0';
            }
            interfaces[QStringLiteral("org.freedesktop.UDisks2.Filesystem")] = {
                {QStringLiteral("MountPoints"), QVariant::fromValue(ended)}};
            auto filesystem = std::make_unique<FakeFilesystem>(path, refusal, log);
            filesystem->moveToThread(&m_thread);
            m_connection.registerObject(path, filesystem.get(),
                                        QDBusConnection::ExportScriptableSlots);
            m_filesystems.push_back(std::move(filesystem));
        }
        m_manager = std::make_unique<FakeObjectManager>(objects);
        m_manager->moveToThread(&m_thread);
        m_connection.registerObject(QStringLiteral("/org/freedesktop/UDisks2"), m_manager.get(),
                                    QDBusConnection::ExportScriptableSlots);
        m_thread.start();
        m_registered = m_connection.registerService(Service);
    }
    ~FakeUDisks()
    {
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-udisks"));
        m_thread.quit();
        m_thread.wait();
    }
    Q_DISABLE_COPY_MOVE(FakeUDisks)

    bool registered() const { return m_registered; }
    QStringList unmounted()
    {
        const QMutexLocker lock(&log.mutex);
        return log.unmounted;
    }

    CallLog log;

private:
    QDBusConnection m_connection;
    QThread m_thread;
    std::vector<std::unique_ptr<FakeFilesystem>> m_filesystems;
    std::unique_ptr<FakeObjectManager> m_manager;
    bool m_registered = false;
};

class UDisksEjectorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qDBusRegisterMetaType<QList<QByteArray>>();
        qDBusRegisterMetaType<Interfaces>();
        qDBusRegisterMetaType<ManagedObjects>();
        if (m_bus.address().isEmpty()) {
            GTEST_SKIP() << "needs dbus-daemon (package dbus-daemon) for a private bus";
        }
    }

    PrivateBus m_bus;
};

} // namespace

TEST_F(UDisksEjectorTest, AvailableOnlyWhereUDisksIsOnTheBus)
{
    EXPECT_FALSE(UDisksEjector(QStringLiteral("unix:path=/nonexistent/bus")).available());
    UDisksEjector ejector(m_bus.address());
    EXPECT_FALSE(ejector.available());

    FakeUDisks udisks(m_bus.address(), {});
    ASSERT_TRUE(udisks.registered());
    EXPECT_TRUE(ejector.available());
}

TEST_F(UDisksEjectorTest, UnmountsTheFileSystemMountedAtTheRootAndNothingElse)
{
    FakeUDisks udisks(m_bus.address(), {{QStringLiteral("sda2"), {"/"}},
                                        {QStringLiteral("sdy1"), {}},
                                        {QStringLiteral("sdz1"), {"/media/user/WATCH DISK"}}});
    ASSERT_TRUE(udisks.registered());
    UDisksEjector ejector(m_bus.address());

    const auto unmounted = ejector.unmount(QStringLiteral("/media/user/WATCH DISK/"));
    ASSERT_TRUE(unmounted.ok()) << unmounted.error().toStdString();
    // Asked on the one block device, with no options: never forced, never powered off.
    EXPECT_EQ(udisks.unmounted(), QStringList{BlockPrefix + QStringLiteral("sdz1|")});

    const auto unknown = ejector.unmount(QStringLiteral("/media/user/WATCH"));
    ASSERT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error().contains(QStringLiteral("/media/user/WATCH")))
        << unknown.error().toStdString();
    EXPECT_EQ(udisks.unmounted().size(), 1);
}

TEST_F(UDisksEjectorTest, RefusalOrAMissingServiceIsTheReason)
{
    UDisksEjector ejector(m_bus.address());
    const auto nobody = ejector.unmount(QStringLiteral("/media/user/WATCH"));
    ASSERT_FALSE(nobody.ok());
    EXPECT_TRUE(nobody.error().contains(QStringLiteral("UDisks2"))) << nobody.error().toStdString();

    FakeUDisks udisks(m_bus.address(), {{QStringLiteral("sdz1"), {"/media/user/WATCH"}}},
                      QStringLiteral("Error unmounting /dev/sdz1: target is busy"));
    ASSERT_TRUE(udisks.registered());
    const auto busy = ejector.unmount(QStringLiteral("/media/user/WATCH"));
    ASSERT_FALSE(busy.ok());
    EXPECT_TRUE(busy.error().contains(QStringLiteral("target is busy")))
        << busy.error().toStdString();
    EXPECT_EQ(udisks.unmounted().size(), 1);
}

#include "udisksejector_test.moc"

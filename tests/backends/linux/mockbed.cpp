// SPDX-License-Identifier: GPL-3.0-or-later
#include "mockbed.h"

#include "umockdevapi.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace trek::test {

namespace {

constexpr const char* PreloadLibrary = "libumockdev-preload.so.0";

bool preloadMapped()
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("libumockdev-preload") != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Restarts the test program with the preload library before anything else runs, so that
// `ctest` and a plain run from the shell behave alike.
[[maybe_unused]] const bool restartedWithPreload = [] {
    if (preloadMapped() || std::getenv("TREK_UMOCKDEV_RESTARTED") != nullptr) {
        return false;
    }
    std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
    std::vector<std::string> arguments;
    std::string argument;
    while (std::getline(cmdline, argument, '\0')) {
        arguments.push_back(argument);
    }
    if (arguments.empty()) {
        return false;
    }
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::string preload = PreloadLibrary;
    if (const char* existing = std::getenv("LD_PRELOAD"); existing != nullptr && *existing != 0) {
        preload += ':';
        preload += existing;
    }
    std::string asan = "verify_asan_link_order=0";
    if (const char* existing = std::getenv("ASAN_OPTIONS"); existing != nullptr && *existing != 0) {
        asan = std::string(existing) + ':' + asan;
    }
    setenv("LD_PRELOAD", preload.c_str(), 1);
    setenv("ASAN_OPTIONS", asan.c_str(), 1);
    setenv("TREK_UMOCKDEV_RESTARTED", "1", 1);
    execv("/proc/self/exe", argv.data());
    return false; // the library is missing: the tests that need it skip
}();

} // namespace

bool umockdevActive()
{
    return preloadMapped();
}

MockBed::MockBed() : m_testbed(umockdev_testbed_new()) {}

MockBed::~MockBed()
{
    g_object_unref(m_testbed);
}

QString MockBed::rootDir() const
{
    gchar* root = umockdev_testbed_get_root_dir(m_testbed); // a copy that is ours to free
    QString path = QString::fromLocal8Bit(root);
    g_free(root);
    return path;
}

QByteArray MockBed::addDevice(const char* subsystem, const QByteArray& name,
                              const QByteArray& parent, const QList<QByteArray>& attributes,
                              const QList<QByteArray>& properties)
{
    std::vector<const char*> attrs;
    for (const QByteArray& a : attributes) {
        attrs.push_back(a.constData());
    }
    attrs.push_back(nullptr);
    std::vector<const char*> props;
    for (const QByteArray& p : properties) {
        props.push_back(p.constData());
    }
    props.push_back(nullptr);
    gchar* syspath = umockdev_testbed_add_devicev(
        m_testbed, subsystem, name.constData(), parent.isEmpty() ? nullptr : parent.constData(),
        const_cast<gchar**>(attrs.data()), const_cast<gchar**>(props.data()));
    EXPECT_NE(syspath, nullptr) << "cannot add " << name.constData();
    QByteArray result(syspath != nullptr ? syspath : "");
    g_free(syspath);
    return result;
}

void MockBed::createNode(const QByteArray& name, bool block) const
{
    const QString path = rootDir() + QStringLiteral("/dev/") + QString::fromLatin1(name);
    QDir().mkpath(rootDir() + QStringLiteral("/dev"));
    QFile node(path);
    ASSERT_TRUE(node.open(QIODevice::WriteOnly)) << path.toStdString();
    node.close();
    if (block) {
        // The preload library reports sticky files as block devices.
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 01644), 0);
    }
}

FakeDisk MockBed::addDisk(const FakeDiskLayout& option)
{
    const QByteArray host = QByteArray::number(option.host);
    const QByteArray hctl = host + ":0:0:0";
    QByteArray parent;
    if (option.usb) {
        const QByteArray usbDevice = addDevice("usb", "usb" + host, {}, {"busnum", host},
                                               {"DEVTYPE", "usb_device", "BUSNUM", host});
        parent = addDevice("usb", host + "-1:1.0", usbDevice, {"bInterfaceClass", "08"},
                           {"DEVTYPE", "usb_interface", "INTERFACE", "8/6/80"});
    } else {
        parent = addDevice("pci", "pci0000:0" + host, {}, {}, {});
    }
    const QByteArray scsiHost =
        addDevice("scsi", "host" + host, parent, {}, {"DEVTYPE", "scsi_host"});
    const QByteArray target =
        addDevice("scsi", "target" + host + ":0:0", scsiHost, {}, {"DEVTYPE", "scsi_target"});
    FakeDisk disk;
    disk.scsiDevice =
        addDevice("scsi", hctl, target, {"vendor", option.vendor, "model", "E-Band", "type", "0"},
                  {"DEVTYPE", "scsi_device"});

    const QByteArray diskName(option.disk);
    const QByteArray diskDev = "8:" + QByteArray::number(option.diskMinor);
    QList<QByteArray> diskProperties{"DEVNAME", "/dev/" + diskName,
                                     "DEVTYPE", "disk",
                                     "MAJOR",   "8",
                                     "MINOR",   QByteArray::number(option.diskMinor)};
    if (option.usb) {
        diskProperties << "ID_BUS"
                       << "usb";
    }
    QList<QByteArray> labelProperties;
    if (option.labelEnc != nullptr) {
        labelProperties << "ID_FS_LABEL_ENC" << option.labelEnc;
    }
    if (!option.partition) {
        diskProperties << labelProperties;
    }
    disk.disk =
        addDevice("block", "block/" + diskName, disk.scsiDevice,
                  {"dev", diskDev, "removable", option.removable ? "1" : "0", "size", "2048"},
                  diskProperties);
    createNode(diskName, true);
    if (option.partition) {
        const QByteArray partName = diskName + "1";
        const QByteArray partMinor = QByteArray::number(option.diskMinor + 1);
        disk.partition =
            addDevice("block", partName, disk.disk, {"dev", "8:" + partMinor, "partition", "1"},
                      QList<QByteArray>{"DEVNAME", "/dev/" + partName, "DEVTYPE", "partition",
                                        "MAJOR", "8", "MINOR", partMinor}
                          << labelProperties);
        createNode(partName, true);
    }
    if (option.generic != nullptr) {
        const QByteArray genericName(option.generic);
        const QByteArray minor = QByteArray::number(option.genericMinor);
        disk.generic = addDevice("scsi_generic", "scsi_generic/" + genericName, disk.scsiDevice,
                                 {"dev", "21:" + minor},
                                 {"DEVNAME", "/dev/" + genericName, "MAJOR", "21", "MINOR", minor});
        createNode(genericName, false);
    }
    return disk;
}

void MockBed::setAttribute(const QByteArray& syspath, const char* name, const QByteArray& value)
{
    umockdev_testbed_set_attribute(m_testbed, syspath.constData(), name, value.constData());
}

void MockBed::uevent(const QByteArray& syspath, const char* action)
{
    umockdev_testbed_uevent(m_testbed, syspath.constData(), action);
}

void MockBed::remove(const QByteArray& syspath)
{
    umockdev_testbed_remove_device(m_testbed, syspath.constData());
}

} // namespace trek::test

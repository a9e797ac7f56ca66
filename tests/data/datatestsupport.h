// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/userinterface.h"
#include "backends/sim/singletargettransport.h"
#include "data/collectionreport.h"
#include "platform/drivetable.h"
#include "platform/profile.h"
#include "platform/scsitransport.h"
#include "support/recordingui.h"
#include "support/tempdir.h"

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace trek::test {

// Drive letters mapped to folders, as a plain removable disk shows them.
class FolderDrives final : public platform::DriveTable
{
public:
    // Each disk has its own identity; `volume` names it, so that tests can move it to another
    // letter or put another disk at its path.
    void add(char letter, const QString& root, const QString& volume = {})
    {
        m_roots.insert(letter, root);
        m_volumes.insert(letter, volume.isEmpty()
                                     ? QStringLiteral("volume-") + QChar::fromLatin1(letter)
                                     : volume);
    }
    void remove(char letter)
    {
        m_roots.remove(letter);
        m_volumes.remove(letter);
    }
    std::uint32_t logicalDriveMask() const override
    {
        std::uint32_t mask = 0;
        for (auto it = m_roots.begin(); it != m_roots.end(); ++it) {
            mask |= 1U << (it.key() - 'A');
        }
        return mask;
    }
    QString driveRoot(char letter) const override { return m_roots.value(letter); }
    QString volumeIdentity(char letter) const override { return m_volumes.value(letter); }
    QStringList diskDevicePaths() const override { return {}; }

private:
    QMap<char, QString> m_roots;
    QMap<char, QString> m_volumes;
};

// A clean process state around each test: a working folder with a real settings file, the user
// interface above, and the given drives and transport.
class DataTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString storePath(int year, int month) const;
    QByteArray storeBytes(int year, int month) const { return dir.read(storeFile(year, month)); }
    static QString storeFile(int year, int month);
    int settingInt(const char* section, const char* key) const;
    QString settingText(const char* section, const char* key) const;

    TempDir dir;
    RecordingUi ui;
    CollectionReport report; // what the readers under test kept of their failures
    FolderDrives drives;
    std::unique_ptr<platform::Profile> profile;
};

// DataTest with the folder "disk" of the working folder as removable drive E:.
class DiskTest : public DataTest
{
protected:
    void SetUp() override;
    static QString onDisk(const QString& name) { return QStringLiteral("disk/") + name; }
};

// A month image of 89,280 zero bytes with the given 16-bit slotValues set.
QByteArray MonthBytes(const std::vector<std::pair<int, int>>& slotValues);
int SlotIndex(int day, int hour, int minute);

// Blocks of the record formats, built byte by byte for the tests.
QByteArray K7Record(int yearByte, int month, int day, int hour, const std::vector<int>& values);
QByteArray K9EBlock(int yearByte, int month, int day, int hour, const std::vector<int>& values,
                    bool last);

} // namespace trek::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatestsupport.h"

#include "app/appstate.h"
#include "app/settingstable.h"
#include "backends/linux/iniprofile.h"
#include "data/collectionreport.h"
#include "platform/services.h"

#include <QDir>

namespace trek::test {

void DataTest::SetUp()
{
    resetAppState();
    profile = std::make_unique<platform::IniProfile>();
    appState().services.profile = profile.get();
    appState().services.drives = &drives;
    appState().workingFolder = dir.path();
    appState().settingsPath = dir.filePath(QStringLiteral("Trekkomat2.INI"));
    appState().ui = &ui;
}

void DataTest::TearDown()
{
    appState().services = platform::Services{};
    resetAppState();
}

void DiskTest::SetUp()
{
    DataTest::SetUp();
    drives.add('E', dir.filePath(QStringLiteral("disk")));
    QDir().mkpath(dir.filePath(QStringLiteral("disk")));
}

QString DataTest::storeFile(int year, int month)
{
    return QString::asprintf("Data/Stepo%04d%02d.BIN", year, month);
}

QString DataTest::storePath(int year, int month) const
{
    return dir.filePath(storeFile(year, month));
}

int DataTest::settingInt(const char* section, const char* key) const
{
    return profile->getInt(QString::fromLatin1(section), QString::fromLatin1(key), -999999,
                           appState().settingsPath);
}

QString DataTest::settingText(const char* section, const char* key) const
{
    return profile->getString(QString::fromLatin1(section), QString::fromLatin1(key), {},
                              appState().settingsPath);
}

int SlotIndex(int day, int hour, int minute)
{
    return ((day - 1) * 24 + hour) * 60 + minute;
}

QByteArray MonthBytes(const std::vector<std::pair<int, int>>& slotValues)
{
    QByteArray bytes(89280, '\0');
    for (const auto& [index, value] : slotValues) {
        bytes[qsizetype{2} * index] = static_cast<char>(value & 0xFF);
        bytes[qsizetype{2} * index + 1] = static_cast<char>((value >> 8) & 0xFF);
    }
    return bytes;
}

QByteArray K7Record(int yearByte, int month, int day, int hour, const std::vector<int>& values)
{
    QByteArray record(64, '\0');
    record[0] = static_cast<char>(yearByte);
    record[1] = static_cast<char>(month);
    record[2] = static_cast<char>(day);
    record[3] = static_cast<char>(hour);
    for (qsizetype k = 0; k < qsizetype(values.size()) && k < 30; ++k) {
        record[4 + 2 * k] = static_cast<char>(values[std::size_t(k)] >> 8);
        record[5 + 2 * k] = static_cast<char>(values[std::size_t(k)] & 0xFF);
    }
    return record;
}

QByteArray K9EBlock(int yearByte, int month, int day, int hour, const std::vector<int>& values,
                    bool last)
{
    QByteArray block(512, '\0');
    block[0] = static_cast<char>(yearByte);
    block[1] = static_cast<char>(month);
    block[2] = static_cast<char>(day);
    block[3] = static_cast<char>(hour);
    for (qsizetype k = 0; k < qsizetype(values.size()) && k < 144; ++k) {
        block[4 + 2 * k] = static_cast<char>(values[std::size_t(k)] & 0xFF);
        block[5 + 2 * k] = static_cast<char>(values[std::size_t(k)] >> 8);
    }
    block[292] = static_cast<char>(last ? 15 : 0);
    return block;
}

} // namespace trek::test

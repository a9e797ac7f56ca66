// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/filemodelwristband.h"
#include "emulator/recordwriters.h"
#include "emulatortestsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace trek::emu {
namespace {

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

StepHistory TwoDays()
{
    StepHistory days(2);
    days[0].date = QDate(2026, 11, 29);
    days[0].minutes[600] = 90;
    days[1].date = QDate(2026, 11, 30);
    days[1].minutes[601] = 95;
    return days;
}

TEST(FileModelWristband, MakeDiskWritesDayFilesMarkerAndClockFile)
{
    QTemporaryDir temp;
    const QString root = temp.filePath(QStringLiteral("disk"));
    FileModelWristband band(root);
    ASSERT_EQ(band.makeDisk(TwoDays(), DayFileKind::Text), QString());

    const QDir disk(root);
    EXPECT_EQ(disk.entryList(QDir::Files, QDir::Name),
              QStringList({QStringLiteral("20261129.txt"), QStringLiteral("20261130.txt"),
                           QStringLiteral("CLOCK.TXT"), QStringLiteral("USBWATCH.DAT")}));
    EXPECT_EQ(ReadFile(disk.filePath(QStringLiteral("20261130.txt"))),
              QByteArray("10:1~10:1 95\r\n"));
    EXPECT_EQ(ReadFile(disk.filePath(QStringLiteral("USBWATCH.DAT"))), QByteArray());
    EXPECT_EQ(ReadFile(disk.filePath(QStringLiteral("CLOCK.TXT"))),
              QByteArray("UStr=\r\nUPic=\r\nDisp=GAGJKEJAAA\r\nSped=4\r\nTAdj=0\r\nHMod=0\r\n"));

    FileModelWristband kdxBand(temp.filePath(QStringLiteral("kdx")));
    ASSERT_EQ(kdxBand.makeDisk(TwoDays(), DayFileKind::Kdx), QString());
    EXPECT_EQ(ReadFile(temp.filePath(QStringLiteral("kdx/20261129.KDX"))),
              KdxDayFile(TwoDays()[0]));
}

TEST(FileModelWristband, MakeDiskReportsAFolderItCannotCreate)
{
    QTemporaryDir temp;
    WriteFile(temp.filePath(QStringLiteral("file")), "x");
    FileModelWristband band(temp.filePath(QStringLiteral("file/disk")));
    EXPECT_FALSE(band.makeDisk(TwoDays(), DayFileKind::Text).isEmpty());
}

TEST(FileModelWristband, UnplugTakesTheSettingsAndConsumesTheClockLines)
{
    QTemporaryDir temp;
    test::FakeHostClock host;
    FileModelWristband band(temp.path(), host.function());
    const QString clockFile = temp.filePath(QStringLiteral("CLOCK.TXT"));
    WriteFile(clockFile, "UStr=Hi there\r\nUPic=000040\r\nDisp=BCDEFGHIJK\r\nSped=7\r\n"
                         "TAdj=-5\r\nDate=20261201\r\nTime=081500\r\nHMod=1\r\n"
                         "REM : TAdj=9\r\n");
    ASSERT_EQ(band.unplug(), QString());

    EXPECT_EQ(band.clock().now(), QDateTime(QDate(2026, 12, 1), QTime(8, 15), Qt::UTC));
    EXPECT_EQ(band.clock().lastSet(), band.clock().now());
    EXPECT_EQ(band.clock().correction(), -5); // the comment line is no setting
    EXPECT_EQ(band.hourMode(), 1);
    EXPECT_EQ(band.scrollSpeed(), 7);
    EXPECT_EQ(band.displayEntries(), (std::array<int, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(band.message(), QByteArray("Hi there"));
    EXPECT_EQ(band.picture()[0], 0x00);
    EXPECT_EQ(band.picture()[2], 0x40);
    EXPECT_EQ(band.picture()[3], 0xFF);

    const QByteArray after = ReadFile(clockFile);
    EXPECT_FALSE(after.contains("Date="));
    EXPECT_FALSE(after.contains("Time="));
    EXPECT_TRUE(after.contains("TAdj=-5\r\nHMod=1\r\nREM : TAdj=9\r\nREM : "));

    // Unplugged again an hour later: the clock runs on instead of going back to 08:15.
    host.now = host.now.addSecs(3600);
    ASSERT_EQ(band.unplug(), QString());
    EXPECT_NEAR(static_cast<double>(band.clock().now().secsTo(
                    QDateTime(QDate(2026, 12, 1), QTime(9, 15), Qt::UTC))),
                0.0, 1.0);
}

TEST(FileModelWristband, UnplugWithoutOrWithBadClockFileKeepsTheSettings)
{
    QTemporaryDir temp;
    test::FakeHostClock host;
    FileModelWristband band(temp.path(), host.function());
    const QDateTime before = band.clock().now();
    ASSERT_EQ(band.unplug(), QString()); // no CLOCK.TXT: nothing happens
    EXPECT_FALSE(QFile::exists(temp.filePath(QStringLiteral("CLOCK.TXT"))));

    const QByteArray bad("Sped=fast\r\nTAdj=250\r\nHMod=7\r\nDate=20261341\r\n");
    WriteFile(temp.filePath(QStringLiteral("CLOCK.TXT")), bad);
    ASSERT_EQ(band.unplug(), QString());
    EXPECT_EQ(band.scrollSpeed(), 4);
    EXPECT_EQ(band.clock().correction(), 99);
    EXPECT_EQ(band.hourMode(), 0);
    EXPECT_EQ(band.clock().now(), before);
    EXPECT_FALSE(band.clock().lastSet().has_value());
    EXPECT_EQ(ReadFile(temp.filePath(QStringLiteral("CLOCK.TXT"))), bad); // untouched
}

} // namespace
} // namespace trek::emu

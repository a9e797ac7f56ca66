// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/settingstable.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "datatestsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

class DayFilesTest : public test::DiskTest
{
protected:
    static QByteArray KdxWith(int hour, int minute, int value, int size = 3072)
    {
        QByteArray file(std::max(size, 3072), '\0');
        const int offset = (hour / 4) * 512 + (hour % 4) * 120 + minute * 2;
        file[offset] = static_cast<char>(value >> 8);
        file[offset + 1] = static_cast<char>(value & 0xFF);
        file.resize(size);
        return file;
    }
};

TEST_F(DayFilesTest, TextFileOfThe31stOfSeptemberLandsInRow31AndIsRemoved)
{
    dir.write(onDisk(QStringLiteral("20140931.txt")), "10:00~10:02 100\r\n8:15~8:15 7\r\n");
    EXPECT_EQ(CopyDayFiles('E', report), 1);

    EXPECT_EQ(storeBytes(2014, 9), MonthBytes({{SlotIndex(31, 10, 0), 34},
                                               {SlotIndex(31, 10, 1), 33},
                                               {SlotIndex(31, 10, 2), 33},
                                               {SlotIndex(31, 8, 15), 7}}));
    EXPECT_FALSE(dir.exists(onDisk(QStringLiteral("20140931.txt"))));
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2/20140931.txt-001")),
              QByteArray("10:00~10:02 100\r\n8:15~8:15 7\r\n"));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 107);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 4);
    EXPECT_EQ(appState().values.totalSteps, 107);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(DayFilesTest, CountersGoOnFromTheirValuesAndOnlyRunningMissionsAreWritten)
{
    // The file's values count, not an older copy in memory.
    appState().values.totalSteps = 1;
    ASSERT_TRUE(setting::TotalSteps.Write(1000));
    ASSERT_TRUE(setting::TotalPeriod.Write(50));
    ASSERT_TRUE(setting::Missions[1].curSteps.Write(5));
    ASSERT_TRUE(setting::Missions[1].status.Write(1)); // the file says who runs
    dir.write(onDisk(QStringLiteral("20260105.KDX")), KdxWith(7, 30, 300));
    EXPECT_EQ(CopyDayFiles('E', report), 1);

    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 1300);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 51);
    EXPECT_EQ(settingInt("Mission", "B_CurSteps"), 305);
    EXPECT_EQ(settingInt("Mission", "A_CurSteps"), -999999); // not running: never written
    EXPECT_EQ(appState().values.missions[1].curSteps, 305);
    EXPECT_EQ(storeBytes(2026, 1), MonthBytes({{SlotIndex(5, 7, 30), 300}}));
}

TEST_F(DayFilesTest, OldOrOddlyNamedFilesStayUntouched)
{
    dir.write(onDisk(QStringLiteral("20111231.txt")), "10:00~10:00 5\n");
    dir.write(onDisk(QStringLiteral("2014091.txt")), "10:00~10:00 5\n");
    // Blanks and control characters are no digits, though number parsing may skip them.
    const QStringList notDates = {QStringLiteral("2014 911.txt"), QStringLiteral("201409\n1.txt"),
                                  QStringLiteral("2014+911.txt")};
    for (const QString& name : notDates) {
        dir.write(onDisk(name), "10:00~10:00 5\n");
    }
    dir.write(onDisk(QStringLiteral("CLOCK.TXT")), "Time=10:00:00\n");
    QDir().mkpath(dir.filePath(onDisk(QStringLiteral("20140101.txt")))); // a folder
    EXPECT_EQ(CopyDayFiles('E', report), 0);
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("20111231.txt"))));
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("2014091.txt"))));
    for (const QString& name : notDates) {
        EXPECT_TRUE(dir.exists(onDisk(name))) << name.toStdString();
    }
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("CLOCK.TXT"))));
    EXPECT_FALSE(dir.exists(QStringLiteral("Trekkomat2")));
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
}

TEST_F(DayFilesTest, WhatACollectionMakesIsItsUsersAlone)
{
    const test::ScopedUmask umask(022);
    dir.write(onDisk(QStringLiteral("20140911.txt")), "10:00~10:00 5\n");
    ASSERT_EQ(CopyDayFiles('E', report), 1);
    for (const char* folder : {"Data", "Trekkomat2"}) {
        EXPECT_EQ(dir.rights(QString::fromLatin1(folder)), "0700") << folder;
    }
    for (const char* file : {"Data/Stepo201409.BIN", "Trekkomat2/20140911.txt-001",
                             "Trekkomat2.INI", "Trekkomat2.ledger"}) {
        EXPECT_EQ(dir.rights(QString::fromLatin1(file)), "0600") << file;
    }
}

TEST_F(DayFilesTest, NamesMatchWithoutRegardToCaseAndTextFilesComeFirst)
{
    dir.write(onDisk(QStringLiteral("20140301.TXT")), "0:00~0:00 1\n");
    dir.write(onDisk(QStringLiteral("20140301.kdx")), KdxWith(0, 0, 10));
    EXPECT_EQ(CopyDayFiles('E', report), 2);
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{0, 11}}));
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("disk"))).isEmpty());
}

TEST_F(DayFilesTest, LongKdxFileIsReadFromItsFirstBytesAndShortOneStays)
{
    dir.write(onDisk(QStringLiteral("20140302.KDX")), KdxWith(23, 59, 0x0102, 3100));
    dir.write(onDisk(QStringLiteral("20140303.KDX")), KdxWith(0, 1, 9, 3000));
    EXPECT_EQ(CopyDayFiles('E', report), 1);

    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(2, 23, 59), 0x0102}}));
    EXPECT_FALSE(dir.exists(onDisk(QStringLiteral("20140302.KDX"))));
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("20140303.KDX"))));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(GetLangText(TextRow::DataCollectionError)))
        << ui.messages[0].toStdString();
    EXPECT_EQ(report.filesFailed, 1);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 0x0102);
}

TEST_F(DayFilesTest, RawCopiesTakeTheFirstFreeNumberAndReuse99)
{
    const QString name = QStringLiteral("20140304.txt");
    dir.write(QStringLiteral("Trekkomat2/20140304.txt-001"), "old");
    dir.write(QStringLiteral("Trekkomat2/20140304.txt-003"), "old");
    EXPECT_EQ(RawCopyPath(dir.path(), name),
              dir.filePath(QStringLiteral("Trekkomat2/20140304.txt-002")));

    for (int n = 1; n <= 99; ++n) {
        dir.write(QString::asprintf("Trekkomat2/20140304.txt-%03d", n), "old");
    }
    dir.write(onDisk(name), "1:00~1:00 4\n");
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2/20140304.txt-099")), QByteArray("1:00~1:00 4\n"));
    EXPECT_EQ(dir.read(QStringLiteral("Trekkomat2/20140304.txt-098")), QByteArray("old"));
    EXPECT_FALSE(dir.exists(QStringLiteral("Trekkomat2/20140304.txt-100")));
}

TEST_F(DayFilesTest, MalformedLinesAndAnUnterminatedLastLineAreSkipped)
{
    dir.write(onDisk(QStringLiteral("20140305.txt")),
              "garbage\r\n25:00~25:01 5\r\n1:00~1:01 3\r\n\r\n2:00~2:00 9");
    EXPECT_EQ(CopyDayFiles('E', report), 1);
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(5, 1, 0), 2}, {SlotIndex(5, 1, 1), 1}}));
}

TEST_F(DayFilesTest, TooLongStoreFileKeepsItsMonthsDayFilesAndLetsOthersThrough)
{
    const QByteArray longer = MonthBytes({{5, 5}}) + QByteArray(10, '\1');
    dir.write(storeFile(2014, 3), longer);
    dir.write(onDisk(QStringLiteral("20140306.txt")), "1:00~1:00 4\n");
    dir.write(onDisk(QStringLiteral("20140307.txt")), "1:00~1:00 4\n");
    dir.write(onDisk(QStringLiteral("20140401.txt")), "1:00~1:00 6\n");
    EXPECT_EQ(CopyDayFiles('E', report), 1);

    EXPECT_EQ(storeBytes(2014, 3), longer);
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("20140306.txt"))));
    EXPECT_TRUE(dir.exists(onDisk(QStringLiteral("20140307.txt"))));
    EXPECT_FALSE(dir.exists(onDisk(QStringLiteral("20140401.txt"))));
    EXPECT_EQ(storeBytes(2014, 4), MonthBytes({{SlotIndex(1, 1, 0), 6}}));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.messages[0].startsWith(GetLangText(TextRow::DataCollectionError)));
    EXPECT_TRUE(ui.messages[0].contains(QStringLiteral("89290")));
    EXPECT_EQ(report.filesFailed, 2);
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 6);
}

TEST_F(DayFilesTest, MissingDriveImportsNothing)
{
    EXPECT_EQ(CopyDayFiles('Q', report), 0);
    EXPECT_TRUE(report.failed());
}

} // namespace
} // namespace trek

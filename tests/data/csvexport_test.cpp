// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/csvexport.h"
#include "datatestsupport.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

class CsvExportTest : public test::DataTest
{
protected:
    QStringList Export(const CsvExportRange& range)
    {
        QStringList lines;
        const auto result =
            ExportCsv(dir.path(), range, [&lines](const QString& line) { lines << line; });
        EXPECT_TRUE(result.ok()) << result.error().toStdString();
        return lines;
    }
};

TEST_F(CsvExportTest, MinutesWithStepsInTimeOrderAcrossMonths)
{
    dir.write(storeFile(2014, 10), MonthBytes({{SlotIndex(1, 0, 0), 3}}));
    dir.write(storeFile(2014, 9), MonthBytes({{SlotIndex(30, 23, 59), 65535},
                                              {SlotIndex(31, 8, 5), 7},
                                              {SlotIndex(2, 9, 1), 12}}));
    dir.write(QStringLiteral("Data/notes.txt"), "not a month");
    EXPECT_EQ(
        Export({}),
        (QStringList{QStringLiteral("minute,steps"), QStringLiteral("2014-09-02 09:01,12"),
                     QStringLiteral("2014-09-30 23:59,65535"), QStringLiteral("2014-09-31 08:05,7"),
                     QStringLiteral("2014-10-01 00:00,3")}));
}

TEST_F(CsvExportTest, RangeAndAllMinutes)
{
    dir.write(storeFile(2014, 9), MonthBytes({{SlotIndex(2, 9, 1), 12}, {SlotIndex(3, 0, 0), 1}}));
    const QStringList lines = Export({QDate(2014, 9, 2), QDate(2014, 9, 2), true});
    ASSERT_EQ(lines.size(), 1 + 1440);
    EXPECT_EQ(lines[1], QStringLiteral("2014-09-02 00:00,0"));
    EXPECT_EQ(lines[1 + 9 * 60 + 1], QStringLiteral("2014-09-02 09:01,12"));
    EXPECT_EQ(lines.last(), QStringLiteral("2014-09-02 23:59,0"));
    // A month without a store file is all zero.
    EXPECT_EQ(Export({QDate(2015, 1, 1), QDate(2015, 1, 31), false}).size(), 1);
}

TEST_F(CsvExportTest, OverlongStoreFileIsAnError)
{
    dir.write(storeFile(2014, 9), MonthBytes({}) + "x");
    const auto result = ExportCsv(dir.path(), {}, [](const QString&) {});
    EXPECT_FALSE(result.ok());
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "data/datatestsupport.h"
#include "reports/reportloader.h"
#include "reports/spandeletion.h"
#include "support/scratchmount.h"

#include <QDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

const std::vector<std::pair<int, int>> Walks{{SlotIndex(5, 9, 59), 7},
                                             {SlotIndex(5, 10, 0), 100},
                                             {SlotIndex(5, 10, 4), 100},
                                             {SlotIndex(5, 10, 5), 100},
                                             {SlotIndex(31, 23, 59), 60}};

class SpanDeletionTest : public test::DataTest
{};

TEST_F(SpanDeletionTest, ClearsExactlyTheSpanAndNothingWithoutAStoreFile)
{
    dir.write(storeFile(2024, 3), MonthBytes(Walks));
    appState().values.totalSteps = 367;

    ASSERT_TRUE(DeleteReportSpan({2024, 3, 5, 600, 604}).ok());
    EXPECT_EQ(storeBytes(2024, 3), MonthBytes({{SlotIndex(5, 9, 59), 7},
                                               {SlotIndex(5, 10, 5), 100},
                                               {SlotIndex(31, 23, 59), 60}}));
    ASSERT_TRUE(DeleteReportSpan(WholeDaySpan(QDate(2024, 3, 31))).ok());
    EXPECT_EQ(storeBytes(2024, 3),
              MonthBytes({{SlotIndex(5, 9, 59), 7}, {SlotIndex(5, 10, 5), 100}}));
    const Result<Report> day =
        LoadReport(dir.path(), ReportMode::Day, QDate(2024, 3, 5), {70, 60000, 0, 5}, false);
    ASSERT_TRUE(day.ok());
    ASSERT_EQ(day->rows.size(), 2U);
    EXPECT_EQ(day->rows[1].cells[1], QStringLiteral("2024/03/05 10:05 ~ 10:05"));
    EXPECT_EQ(appState().values.totalSteps, 367);

    // A month never stored stays so; a span running backwards is refused.
    ASSERT_TRUE(DeleteReportSpan(WholeDaySpan(QDate(2024, 4, 1))).ok());
    EXPECT_FALSE(dir.exists(storeFile(2024, 4)));
    EXPECT_FALSE(DeleteReportSpan({2024, 3, 5, 605, 604}).ok());
    EXPECT_FALSE(DeleteReportSpan({2024, 3, 32, 0, 0}).ok());
    EXPECT_EQ(storeBytes(2024, 3),
              MonthBytes({{SlotIndex(5, 9, 59), 7}, {SlotIndex(5, 10, 5), 100}}));
}

TEST_F(SpanDeletionTest, ReadOnlyStoreFolderKeepsTheMonthAndSaysWhy)
{
    const QString data = dir.filePath(QStringLiteral("Data"));
    QDir().mkpath(data);
    test::ScratchMount mount(QStringLiteral("512k"), data);
    const bool root = ::geteuid() == 0;
    if (root && !mount.mounted()) {
        GTEST_SKIP() << "root ignores folder permissions and " << mount.error().toStdString();
    }
    const QByteArray month = MonthBytes(Walks);
    dir.write(storeFile(2024, 3), month);
    if (mount.mounted()) {
        ASSERT_TRUE(mount.remountReadOnly()) << mount.error().toStdString();
    } else {
        ASSERT_TRUE(QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }

    const Result<ClearedSteps> deleted = DeleteReportSpan(WholeDaySpan(QDate(2024, 3, 5)));
    QFile::setPermissions(data,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(deleted.ok());
    EXPECT_TRUE(deleted.error().contains(QStringLiteral("Stepo202403.BIN is as it was: ")))
        << deleted.error().toStdString();
    EXPECT_EQ(storeBytes(2024, 3), month);
    EXPECT_EQ(QDir(data).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Stepo202403.BIN")});
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/settingstable.h"
#include "backends/linux/trash_linux.h"
#include "data/datatestsupport.h"
#include "reports/ui/reportpage.h"
#include "reports/ui/summarypage.h"
#include "support/scratchmount.h"
#include "widgets/chartctrl.h"
#include "widgets/listctrlex.h"
#include "widgets/wbmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <unistd.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;

// March 2024: on the 5th a walk 10:00-10:04 and a longer one 10:06-10:15; on the 31st a walk.
std::vector<std::pair<int, int>> March()
{
    std::vector<std::pair<int, int>> minutes;
    for (int m = 0; m < 5; ++m) {
        minutes.push_back({SlotIndex(5, 10, m), 100});
    }
    for (int m = 6; m < 16; ++m) {
        minutes.push_back({SlotIndex(5, 10, m), 60});
    }
    minutes.push_back({SlotIndex(31, 7, 0), 80});
    return minutes;
}

// An environment variable set for as long as it lives.
class ScopedVariable
{
public:
    ScopedVariable(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable()
    {
        if (m_had) {
            qputenv(m_name, m_old);
        } else {
            qunsetenv(m_name);
        }
    }
    Q_DISABLE_COPY_MOVE(ScopedVariable)

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class PagesTest : public test::DataTest
{
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        QDir().mkpath(dir.filePath(QStringLiteral("Data")));
        dir.write(storeFile(2024, 3), MonthBytes(March()));
        appState().selectedDate = QDate(2024, 3, 5);
        appState().values.stepSize = 70;
        appState().values.weightGrams = 60000;
    }

    static QStringList Column(const CListCtrlEx& list, int column)
    {
        QStringList texts;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            texts << list.GetItemText(row, column);
        }
        return texts;
    }
};

TEST_F(PagesTest, ReportRedrawsADayAlwaysAMonthOnlyWhenItChanged)
{
    CReportPage page;
    ASSERT_EQ(page.Mode(), ReportMode::Month);
    EXPECT_EQ(Column(*page.List(), 1),
              (QStringList{QStringLiteral("2024/03/05"), QStringLiteral("2024/03/31")}));
    EXPECT_EQ(page.List()->CellBackground(0, 6), QColor(220, 200, 255));
    EXPECT_EQ(page.List()->CellBackground(1, 0), QColor(220, 255, 200));
    EXPECT_EQ(page.Chart()->Axes().yMaximum, 1100.0);
    const int drawn = page.DrawCount();

    page.ChangeMode(ReportMode::Month);
    EXPECT_EQ(page.DrawCount(), drawn);
    page.ChangeMode(ReportMode::Day);
    page.ChangeMode(ReportMode::Day);
    EXPECT_EQ(page.DrawCount(), drawn + 2);
    EXPECT_EQ(settingInt("Current", "ReportMode"), 2);
    EXPECT_EQ(Column(*page.List(), 1), (QStringList{QStringLiteral("2024/03/05 10:00 ~ 10:04"),
                                                    QStringLiteral("2024/03/05 10:06 ~ 10:15")}));

    // A date picked in the calendar arrives as a data-changed notice and is drawn in full.
    appState().selectedDate = QDate(2024, 3, 31);
    WbMessageEvent::send(&page, WbMessage::DataChanged);
    EXPECT_EQ(page.DrawCount(), drawn + 3);
    EXPECT_EQ(Column(*page.List(), 2), QStringList{QStringLiteral("80   ")});
}

TEST_F(PagesTest, DeleteAsksThenClearsTheSelectedRowsOwnSpanEvenWhenSorted)
{
    ASSERT_TRUE(setting::ReportMode.Write(2));
    CReportPage page;
    ASSERT_EQ(page.List()->GetItemCount(), 2);
    // Sorted by steps the longer walk (600 steps) comes first; it is the one deleted.
    page.List()->SortByColumn(2, false);
    page.List()->SelectRow(0);

    ui.answer = UserInterface::No;
    page.DeleteSelectedRow();
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("|Item-1, Confirm DELETE ?(Y/N)")});
    EXPECT_EQ(storeBytes(2024, 3), MonthBytes(March()));

    ui.answer = UserInterface::Yes;
    page.DeleteSelectedRow();
    std::vector<std::pair<int, int>> left = March();
    left.erase(left.begin() + 5, left.begin() + 15);
    EXPECT_EQ(storeBytes(2024, 3), MonthBytes(left));
    EXPECT_EQ(Column(*page.List(), 1), QStringList{QStringLiteral("2024/03/05 10:00 ~ 10:04")});
}

TEST_F(PagesTest, AFailedDeleteSaysWhyAndLeavesTheStoreAsItWas)
{
    // A store file that is a link is never replaced through.
    const QString real = dir.filePath(QStringLiteral("elsewhere.BIN"));
    ASSERT_TRUE(QFile::rename(storePath(2024, 3), real));
    ASSERT_TRUE(QFile::link(real, storePath(2024, 3)));
    appState().values.autoConfirm = true;
    CReportPage page;
    page.List()->SelectRow(0);
    page.DeleteSelectedRow();
    ASSERT_FALSE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(ui.statusTexts.last().contains(QStringLiteral("Nothing was deleted")))
        << ui.statusTexts.last().toStdString();
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("elsewhere.BIN")), MonthBytes(March()));
}

TEST_F(PagesTest, SummaryShowsTheTotalsAndResetForgetsTheStoreFirst)
{
    appState().values.totalSteps = 1000000;
    appState().values.totalPeriod = 1500;
    appState().values.missions[0].curSteps = 321;
    ASSERT_TRUE(setting::TotalSteps.Write(1000000));
    ASSERT_TRUE(setting::Missions[0].curSteps.Write(321));
    dir.write(storeFile(2024, 4), MonthBytes({{0, 1}}));
    CSummaryPage page;
    EXPECT_EQ(page.CaptionText(1), QStringLiteral("Total Distance:"));
    EXPECT_EQ(page.ValueText(1), QStringLiteral("  700.000 Km"));
    EXPECT_EQ(page.ValueText(2), QStringLiteral("1 Days 1 Hours 0 Mintues"));
    appState().values.unitMode = 1;
    WbMessageEvent::send(&page, WbMessage::Refresh);
    EXPECT_EQ(page.ValueText(1), QStringLiteral("  437.500 Miles"));

    ui.answer = UserInterface::No;
    page.OnReset();
    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("Start|Confirm to clear all data (Y/N) ?\n"
                                                       "No trash can take the data here: they are "
                                                       "deleted for good.")});
    EXPECT_TRUE(dir.exists(storeFile(2024, 3)));
    EXPECT_EQ(appState().values.totalSteps, 1000000);

    ui.answer = UserInterface::Yes;
    page.OnReset();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Data"))).isEmpty());
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 0);
    EXPECT_EQ(settingInt("Summary", "TotalPeriod"), 0);
    EXPECT_EQ(settingInt("Mission", "A_CurSteps"), 321);
    EXPECT_EQ(page.ValueText(0), QStringLiteral("0"));
    EXPECT_EQ(appState().reportCache.mode, -1);
    EXPECT_EQ(ui.dataChanged, 1);
    EXPECT_TRUE(ui.statusTexts.isEmpty());
}

TEST_F(PagesTest, ResetMovesTheMonthsToTheTrashFromWhereTheyComeBack)
{
    // The freedesktop trash of a home inside this test's folder; the user's own is never touched.
    const ScopedVariable home("HOME", dir.path());
    const ScopedVariable data("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")));
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("share"))));
    platform::FreedesktopTrash trash;
    appState().services.trash = &trash;
    const QByteArray april = MonthBytes({{0, 1}});
    dir.write(storeFile(2024, 4), april);
    ASSERT_TRUE(setting::TotalSteps.Write(500));
    CSummaryPage page;
    ui.answer = UserInterface::Yes;
    page.OnReset();

    EXPECT_EQ(ui.questions, QStringList{QStringLiteral("Start|Confirm to clear all data (Y/N) ?\n"
                                                       "The data go to the trash, from where they "
                                                       "can be restored.")});
    EXPECT_TRUE(ui.statusTexts.isEmpty()) << ui.statusTexts.join(u'|').toStdString();
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Data"))).isEmpty());
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 0);
    for (const auto& [month, bytes] : {std::pair{3, MonthBytes(March())}, std::pair{4, april}}) {
        const QString name = QFileInfo(storeFile(2024, month)).fileName();
        const QByteArray info =
            dir.read(QStringLiteral("share/Trash/info/") + name + QStringLiteral(".trashinfo"));
        const QByteArray from = "Path=" + QFile::encodeName(dir.filePath(storeFile(2024, month)));
        EXPECT_TRUE(info.contains(from)) << info.toStdString();
        ASSERT_TRUE(QFile::rename(dir.filePath(QStringLiteral("share/Trash/files/") + name),
                                  dir.filePath(storeFile(2024, month))));
        EXPECT_EQ(storeBytes(2024, month), bytes);
    }

    // A trash that takes nothing after all: the months stay, never deleted, and the user is told.
    class RefusingTrash final : public platform::Trash
    {
    public:
        bool availableFor(const QString& /*folder*/) const override { return true; }
        Result<> moveToTrash(const QString& /*path*/) override
        {
            return fail(QStringLiteral("no room"));
        }
    } refusing;
    appState().services.trash = &refusing;
    page.OnReset();
    ASSERT_EQ(ui.statusTexts.size(), 1);
    EXPECT_TRUE(ui.statusTexts.first().contains(QStringLiteral("Stepo202403.BIN")) &&
                ui.statusTexts.first().contains(QStringLiteral("to the trash")))
        << ui.statusTexts.first().toStdString();
    EXPECT_EQ(storeBytes(2024, 4), april);
}

TEST_F(PagesTest, ResetNamesTheMonthsItCouldNotDelete)
{
    const QString data = dir.filePath(QStringLiteral("Data"));
    test::ScratchMount mount(QStringLiteral("512k"), data);
    if (::geteuid() == 0 && !mount.mounted()) {
        GTEST_SKIP() << "root ignores folder permissions and " << mount.error().toStdString();
    }
    dir.write(storeFile(2024, 3), MonthBytes(March()));
    if (mount.mounted()) {
        ASSERT_TRUE(mount.remountReadOnly()) << mount.error().toStdString();
    } else {
        ASSERT_TRUE(QFile::setPermissions(data, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    ASSERT_TRUE(setting::TotalSteps.Write(500));
    appState().values.autoConfirm = true;
    CSummaryPage page;
    page.OnReset();
    QFile::setPermissions(data,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_EQ(ui.statusTexts.size(), 1);
    EXPECT_TRUE(ui.statusTexts.first().contains(QStringLiteral("Stepo202403.BIN")));
    EXPECT_EQ(storeBytes(2024, 3), MonthBytes(March()));
    EXPECT_EQ(settingInt("Summary", "TotalSteps"), 0);
}

} // namespace
} // namespace trek

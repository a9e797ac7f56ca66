// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "reports/ui/reportpage.h"
#include "reports/ui/sleepanalysisdlg.h"
#include "widgets/hoverbutton2.h"
#include "widgets/listctrlex.h"
#include "widgets/yesnobox.h"
#include "window/advancedpage.h"
#include "window/pagefactory.h"
#include "window/wristbanddlg.h"
#include "window/wristbandtab.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

namespace trek {
namespace {

constexpr char PersonalData[] = "[Personal]\r\nHeight=172\r\nWeight_g=68000\r\nStepSize=75\r\n";

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

class AdvancedPageTest : public test::WindowTest
{
protected:
    std::unique_ptr<CWristbandDlg> open()
    {
        CWristbandDlg::Options options;
        options.updateCheckAllowed = false;
        options.startDiscovery = false;
        auto window = std::make_unique<CWristbandDlg>(options);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    static CAdvancedPage* optionsPage(const CWristbandDlg& window)
    {
        return qobject_cast<CAdvancedPage*>(
            window.TabControl()->Page(static_cast<int>(PageIndex::UserOption)));
    }
    int stored(const char* section, const char* key, int missing = -99) const
    {
        return profile.getInt(QLatin1String(section), QLatin1String(key), missing,
                              appState().settingsPath);
    }
};

TEST_F(AdvancedPageTest, LanguageSwitchRelabelsTheWindowItsPagesOpenDialogsAndQtsButtons)
{
    setSettings(QByteArray("[Advance]\r\nLanguage=0\r\n") + PersonalData);
    const auto window = open();
    CAdvancedPage* page = optionsPage(*window);
    CSleepAnalysisDlg sleep(QDate(2024, 3, 5), window.get());
    sleep.show();
    QMessageBox question(QMessageBox::Question, QString(), QString(),
                         QMessageBox::Yes | QMessageBox::No, window.get());
    question.show();
    CYesNoBox box(QString(), QString(), window.get());
    box.show();
    ASSERT_EQ(question.button(QMessageBox::Yes)->text(), s("&Yes"));
    const int writes = profile.writeCount();

    QTest::mouseClick(page->LanguagePicture(2), Qt::LeftButton);
    EXPECT_EQ(profile.writeCount(), writes + 1);
    EXPECT_EQ(stored("Advance", "Language"), 2);
    EXPECT_TRUE(window->windowTitle().contains(GetLangText(TextRow::ProgramName, 2)));
    for (int index = 0; index < PageCount; ++index) {
        EXPECT_EQ(window->TabControl()->tabText(index), GetLangText(PageTitleRow(index), 2));
    }
    EXPECT_TRUE(sleep.FigureText(0).endsWith(GetLangText(TextRow::BedTime, 2)));
    // Qt's own translations: "&Yes" becomes 是(&Y) in both Chinese catalogues.
    EXPECT_TRUE(question.button(QMessageBox::Yes)->text().contains(s("是")))
        << question.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(question.button(QMessageBox::No)->text().contains(s("否")));
    EXPECT_TRUE(box.YesButton()->text().contains(s("是")));

    page->LanguageButton(0)->click();
    EXPECT_EQ(stored("Advance", "Language"), 0);
    EXPECT_EQ(window->TabControl()->tabText(0), s("Report"));
    EXPECT_EQ(question.button(QMessageBox::Yes)->text(), s("&Yes"));
    EXPECT_EQ(box.NoButton()->text(), s("&No"));
}

TEST_F(AdvancedPageTest, EnterInTheThresholdBoxOnlyCommitsIt)
{
    setSettings(PersonalData);
    const auto window = open();
    window->TabControl()->setCurrentIndex(static_cast<int>(PageIndex::UserOption));
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> clicks;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        clicks.emplace_back(button->objectName(),
                            std::make_unique<QSignalSpy>(button, &QPushButton::clicked));
    }
    const auto* report = qobject_cast<CReportPage*>(window->TabControl()->Page(0));
    const int draws = report->DrawCount();

    QLineEdit* edit = optionsPage(*window)->ThresholdEdit();
    edit->selectAll();
    QTest::keyClicks(edit, s("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(stored("Sleep", "SlightMoving"), 12);
    EXPECT_EQ(appState().values.slightMoving, 12);
    EXPECT_GT(report->DrawCount(), draws); // the report counts walks with the new threshold
    EXPECT_TRUE(window->isVisible());
    for (const auto& [name, spy] : clicks) {
        EXPECT_EQ(spy->count(), 0) << name.toStdString();
    }
}

TEST_F(AdvancedPageTest, ThresholdIsTakenOnLeavingTheTabAndOnClosingARefusedOneChangesNothing)
{
    setSettings(PersonalData);
    const auto window = open();
    CWristbandTab* tab = window->TabControl();
    QLineEdit* edit = optionsPage(*window)->ThresholdEdit();
    tab->setCurrentIndex(static_cast<int>(PageIndex::UserOption));
    edit->setText(s("15"));
    tab->setCurrentIndex(0);
    EXPECT_EQ(stored("Sleep", "SlightMoving"), 15);
    // A threshold below 0 is refused with its field and bound; the stored one stays.
    tab->setCurrentIndex(static_cast<int>(PageIndex::UserOption));
    edit->setText(s("-4"));
    tab->setCurrentIndex(0);
    EXPECT_EQ(stored("Sleep", "SlightMoving"), 15);
    EXPECT_EQ(edit->text(), s("15"));
    EXPECT_TRUE(window->StatusText().startsWith(s("Slight Move must be 0 or more.")))
        << window->StatusText().toStdString();

    tab->setCurrentIndex(static_cast<int>(PageIndex::UserOption));
    edit->setText(s("15 steps"));
    const QByteArray before = profile.fileText(appState().settingsPath);
    window->close();
    EXPECT_EQ(profile.fileText(appState().settingsPath), before);
    EXPECT_EQ(appState().values.slightMoving, 15);
    EXPECT_EQ(edit->text(), s("15"));
    EXPECT_TRUE(window->StatusText().contains(s("\"15 steps\"")))
        << window->StatusText().toStdString();

    window->show();
    edit->setText(s("4"));
    window->reject(); // Escape
    EXPECT_EQ(stored("Sleep", "SlightMoving"), 4);
}

TEST_F(AdvancedPageTest, UnitsReachEveryPageAFailedWriteIsReportedAndChangesNothing)
{
    setSettings(PersonalData);
    const auto window = open();
    CAdvancedPage* page = optionsPage(*window);
    const auto* report = qobject_cast<CReportPage*>(window->TabControl()->Page(0));
    page->UnitButton(1)->click();
    EXPECT_EQ(stored("Current", "UnitMode"), 1);
    EXPECT_EQ(report->List()->horizontalHeaderItem(4)->text(), s("Distance(Mile)"));

    profile.setWritesFail(true);

    page->AutoConfirmBox()->click();
    EXPECT_FALSE(page->AutoConfirmBox()->isChecked());
    EXPECT_FALSE(appState().values.autoConfirm);
    EXPECT_FALSE(window->StatusText().isEmpty());

    window->SetStatusText(QString());
    page->UnitButton(0)->click();
    EXPECT_TRUE(page->UnitButton(1)->isChecked());
    EXPECT_EQ(appState().values.unitMode, 1);
    EXPECT_EQ(report->List()->horizontalHeaderItem(4)->text(), s("Distance(Mile)"));
    EXPECT_FALSE(window->StatusText().isEmpty());
}

TEST_F(AdvancedPageTest, LocaleLabelShowsTheMachinesAndTheUsersLocaleAndEveryControlIsNamed)
{
    system.setSystemLocaleAbbreviation(s("CHT"));
    system.setLocaleAbbreviation(s("CHS"));
    CAdvancedPage page;
    EXPECT_EQ(page.LocaleLabel()->text(),
              s("\nSystem:\tCHT\nUser      :\tCHS\nLocal System:\tCHT\nLocal User:\tCHS"));
    EXPECT_FALSE(page.LocaleLabel()->isEnabled());

    for (QWidget* control : page.findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(control) == nullptr &&
            qobject_cast<QLineEdit*>(control) == nullptr) {
            continue;
        }
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << control->objectName().toStdString();
    }
}

} // namespace
} // namespace trek

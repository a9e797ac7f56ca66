// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/settingstable.h"
#include "data/datatestsupport.h"
#include "goals/ui/personalinfopage.h"

#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace trek {
namespace {

const QByteArray Stored = "[Personal]\r\nBirthday=19800615\r\nHeight=183\r\nWeight_g=70000\r\n"
                          "StepSize=70\r\n[Current]\r\nUnitMode=0\r\n";

class PersonalInfoPageTest : public test::DataTest
{
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        dir.write(QStringLiteral("Trekkomat2.INI"), Stored);
        ReadStartSettings();
    }

    QByteArray settingsFile() const { return dir.read(QStringLiteral("Trekkomat2.INI")); }

    static void retype(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

TEST_F(PersonalInfoPageTest, SwitchingUnitsAndSavingUntouchedBoxesChangesNoStoredValue)
{
    CPersonalInfoPage page;
    page.show();
    EXPECT_EQ(page.HeightEdit()->text(), QStringLiteral("183"));
    EXPECT_EQ(page.WeightEdit()->text(), QStringLiteral("70.0"));
    EXPECT_EQ(page.BirthdayEdit()->date(), QDate(1980, 6, 15));
    EXPECT_TRUE(page.MetricButton()->isChecked());

    // Typed but not saved, then a switch: the boxes show the stored values in the new units.
    retype(page.HeightEdit(), QStringLiteral("190"));
    QTest::mouseClick(page.ImperialButton(), Qt::LeftButton);
    EXPECT_EQ(settingInt("Current", "UnitMode"), 1);
    EXPECT_EQ(ui.refreshes, 1);
    EXPECT_FALSE(page.HeightEdit()->isVisible());
    EXPECT_TRUE(page.FeetEdit()->isVisible() && page.InchesEdit()->isVisible());
    EXPECT_EQ(QString(page.FeetEdit()->text() + u'\'' + page.InchesEdit()->text()),
              QStringLiteral("6'0"));
    EXPECT_EQ(page.WeightEdit()->text(), QStringLiteral("154.2"));
    EXPECT_EQ(page.StepEdit()->text(), QStringLiteral("27"));

    page.SaveButton()->click();
    EXPECT_EQ(settingInt("Personal", "Height"), 183);
    EXPECT_EQ(settingInt("Personal", "Weight_g"), 70000);
    EXPECT_EQ(settingInt("Personal", "StepSize"), 70);
    EXPECT_EQ(settingInt("Personal", "Birthday"), 19800615);
    EXPECT_EQ(ui.refreshes, 2);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(PersonalInfoPageTest, SaveStoresWhatWasTypedInOneWriteAndEveryPageFollows)
{
    appState().values.unitMode = 1;
    CPersonalInfoPage page;
    retype(page.InchesEdit(), QStringLiteral("2"));
    retype(page.WeightEdit(), QStringLiteral("160"));
    retype(page.StepEdit(), QStringLiteral("30"));
    page.BirthdayEdit()->setDate(QDate(1979, 1, 2));
    page.Save();

    // 6'2" = 74 inches: 190.49 cm; 160 pounds: 72,640 g; 30 inches: 78.7 cm.
    EXPECT_EQ(settingsFile(), QByteArray("[Personal]\r\nBirthday=19790102\r\nHeight=190\r\n"
                                         "Weight_g=72640\r\nStepSize=78\r\n[Current]\r\n"
                                         "UnitMode=0\r\n"));
    const SettingsValues& values = appState().values;
    EXPECT_EQ(values.height, 190);
    EXPECT_EQ(values.weightGrams, 72640);
    EXPECT_EQ(values.stepSize, 78);
    EXPECT_EQ(ui.refreshes, 1);
    // The page shows what it stored, in its own format.
    EXPECT_EQ(page.InchesEdit()->text(), QStringLiteral("2"));
    EXPECT_EQ(page.WeightEdit()->text(), QStringLiteral("160.0"));
    EXPECT_EQ(page.StepEdit()->text(), QStringLiteral("30"));
}

TEST_F(PersonalInfoPageTest, RefusedInputAndAFailedWriteLeaveFileAndValuesAsTheyWere)
{
    CPersonalInfoPage page;
    retype(page.StepEdit(), QStringLiteral("75"));
    retype(page.HeightEdit(), QStringLiteral("99999999999"));
    page.Save();
    EXPECT_EQ(ui.messages,
              QStringList{QStringLiteral("The height \"99999999999\" is too large a number.")});
    EXPECT_EQ(settingsFile(), Stored);
    EXPECT_EQ(appState().values.stepSize, 70);
    EXPECT_EQ(page.HeightEdit()->text(), QStringLiteral("99999999999")); // kept to be mended
    EXPECT_EQ(ui.refreshes, 0);

    // The settings file cannot be written: the status line says so, nothing in memory changes.
    retype(page.HeightEdit(), QStringLiteral("180"));
    ASSERT_TRUE(QFile::remove(appState().settingsPath));
    ASSERT_TRUE(QDir().mkpath(appState().settingsPath));
    page.Save();
    ASSERT_EQ(ui.statusTexts.size(), 1);
    EXPECT_TRUE(ui.statusTexts.first().startsWith(QStringLiteral(" Personal data not saved: ")))
        << ui.statusTexts.first().toStdString();
    EXPECT_EQ(appState().values.height, 183);
    EXPECT_EQ(appState().values.stepSize, 70);
    EXPECT_EQ(ui.refreshes, 0);

    // A unit switch that cannot be written does not happen.
    QTest::mouseClick(page.ImperialButton(), Qt::LeftButton);
    EXPECT_EQ(ui.statusTexts.size(), 2);
    EXPECT_EQ(appState().values.unitMode, 0);
    EXPECT_TRUE(page.MetricButton()->isChecked());
    EXPECT_EQ(page.HeightEdit()->text(), QStringLiteral("180"));
}

TEST_F(PersonalInfoPageTest, ControlsSpeakTheirPurposeAndEnterClicksNothing)
{
    appState().language = 2;
    // In the main window, a dialog, Enter would click the first auto-default button.
    QDialog window;
    auto* page = new CPersonalInfoPage(&window);
    (new QVBoxLayout(&window))->addWidget(page);
    window.show();
    // Simplified Chinese has its own metric unit words.
    EXPECT_EQ(page->HeightEdit()->accessibleName(), QStringLiteral("身高 (厘米)"));
    EXPECT_EQ(page->WeightEdit()->accessibleName(), QStringLiteral("体重 (千克)"));
    EXPECT_EQ(page->BirthdayEdit()->accessibleName(), QStringLiteral("生日"));
    EXPECT_EQ(page->SaveButton()->text(), QStringLiteral("保存"));

    appState().language = 0;
    appState().values.unitMode = 1;
    page->Fill();
    EXPECT_EQ(page->FeetEdit()->accessibleName(), QStringLiteral("Height (Feet)"));
    EXPECT_EQ(page->InchesEdit()->accessibleName(), QStringLiteral("Height (Inch)"));
    EXPECT_EQ(page->StepEdit()->accessibleName(), QStringLiteral("StepSize (Inch)"));
    EXPECT_TRUE(page->ImperialButton()->isChecked());
    const auto* caption = page->findChild<QLabel*>(QStringLiteral("heightCaption"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->buddy(), page->FeetEdit());

    retype(page->StepEdit(), QStringLiteral("40"));
    page->StepEdit()->setFocus();
    QTest::keyClick(page->StepEdit(), Qt::Key_Return);
    EXPECT_EQ(settingInt("Personal", "StepSize"), 70);
    EXPECT_EQ(ui.refreshes, 0);
}

} // namespace
} // namespace trek

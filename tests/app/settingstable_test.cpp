// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/realtext.h"
#include "app/settingstable.h"
#include "appfixture.h"

using trek::appState;
using trek::test::AppFixture;

using SettingsTable = AppFixture;

TEST_F(SettingsTable, NoFileGivesEveryDefault)
{
    system.setMissionClock(4000000000U); // past 2^31: stored as a negative number
    trek::ReadLanguageSetting();
    trek::ReadStartSettings();
    const trek::SettingsValues& v = appState().values;
    EXPECT_EQ(appState().language, 0);
    EXPECT_TRUE(v.enableUpgrade);
    EXPECT_FALSE(v.autoConfirm);
    EXPECT_EQ(v.displayMode, 0);
    EXPECT_EQ(v.unitMode, 0);
    EXPECT_EQ(v.totalSteps, 0);
    EXPECT_EQ(v.totalPeriod, 0);
    EXPECT_EQ(v.birthday, 20000201);
    EXPECT_EQ(v.height, 0);
    EXPECT_EQ(v.weightGrams, 0);
    EXPECT_EQ(v.stepSize, 0);
    EXPECT_EQ(v.slightMoving, 0);
    for (const trek::MissionValues& mission : v.missions) {
        EXPECT_EQ(mission.mode, 0);
        EXPECT_FALSE(mission.running());
        EXPECT_EQ(mission.goes, 0.0);
        EXPECT_EQ(mission.curSteps, 0);
        EXPECT_EQ(mission.curPeriodM, 0);
        EXPECT_EQ(mission.startTime, 4000000000U); // the tick now, not 0
    }
    EXPECT_FALSE(profile.hasFile(appState().settingsPath)); // reading creates nothing
}

TEST_F(SettingsTable, ReadsEveryStartKeyFromTheFile)
{
    setSettings("[Advance]\nEnableUpgrade=0\nAutoConfirm=1\nDisplayMode=1\n"
                "[current]\nunitmode=1\n"
                "[Summary]\nTotalSteps=123456\nTotalPeriod=789\n"
                "[Personal]\nBirthday=19800315\nHeight=181\nWeight_g=72500\nWeight=70\n"
                "StepSize=78\n"
                "[Mission]\nA_Mode=2\nA_Status=1\nA_Goes = 12.5\nA_CurSteps=4000\n"
                "A_CurPeriodM=35\nA_StartTime=-294967296\n"
                "B_Mode=3\nB_Status=0\nB_Goes=abc\nB_CurSteps=12abc\nB_CurPeriodM=-3\n"
                "B_StartTime=1000\n"
                "[Sleep]\nSlightMoving=4\n");
    system.setMissionClock(5);
    trek::ReadStartSettings();
    const trek::SettingsValues& v = appState().values;
    EXPECT_FALSE(v.enableUpgrade);
    EXPECT_TRUE(v.autoConfirm);
    EXPECT_EQ(v.displayMode, 1);
    EXPECT_EQ(v.unitMode, 1);
    EXPECT_EQ(v.totalSteps, 123456);
    EXPECT_EQ(v.totalPeriod, 789);
    EXPECT_EQ(v.birthday, 19800315);
    EXPECT_EQ(v.height, 181);
    EXPECT_EQ(v.weightGrams, 72500); // "Weight" ignored while "Weight_g" is set
    EXPECT_EQ(v.stepSize, 78);
    EXPECT_EQ(v.slightMoving, 4);

    const trek::MissionValues& a = v.missions[0];
    EXPECT_EQ(a.mode, 2);
    EXPECT_TRUE(a.running());
    EXPECT_DOUBLE_EQ(a.goes, 12.5);
    EXPECT_EQ(a.curSteps, 4000);
    EXPECT_EQ(a.curPeriodM, 35);
    EXPECT_EQ(a.startTime, 4000000000U);

    const trek::MissionValues& b = v.missions[1];
    EXPECT_EQ(b.mode, 3);
    EXPECT_FALSE(b.running());
    EXPECT_EQ(b.goes, 0.0);
    EXPECT_EQ(b.curSteps, 12);
    EXPECT_EQ(b.curPeriodM, -3);
    EXPECT_EQ(b.startTime, 1000U);
}

TEST_F(SettingsTable, OldWeightKeyCountsOnlyWithoutGrams)
{
    setSettings("[Personal]\nWeight_g=0\nWeight=70\n");
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.weightGrams, 70000);

    setSettings("[Personal]\nWeight=70\n");
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.weightGrams, 70000);

    setSettings("[Personal]\nWeight_g=-1\nWeight=70\n");
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.weightGrams, -1);

    setSettings("[Personal]\nWeight=9999999\n"); // no overflow into a negative weight
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.weightGrams, std::numeric_limits<int>::max());
}

TEST_F(SettingsTable, TextThatIsNoNumberReadsAsZeroAndAnEmptyValueAsTheDefault)
{
    setSettings("[Personal]\nBirthday=abc\n[Advance]\nEnableUpgrade=off\n");
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.birthday, 0);
    EXPECT_FALSE(appState().values.enableUpgrade);

    setSettings("[Personal]\nBirthday=\n[Advance]\nEnableUpgrade= \"\" \n");
    trek::ReadStartSettings();
    EXPECT_EQ(appState().values.birthday, 20000201);
    EXPECT_TRUE(appState().values.enableUpgrade);
}

TEST_F(SettingsTable, LanguageComesFromTheFileElseFromTheLocale)
{
    const std::vector<std::pair<const char*, int>> locales = {
        {"CHS", 2}, {"CHT", 1}, {"ENU", 0}, {"DEU", 0}, {"JPN", 0}};
    for (const auto& [abbreviation, language] : locales) {
        system.setLocaleAbbreviation(QString::fromLatin1(abbreviation));
        trek::ReadLanguageSetting();
        EXPECT_EQ(appState().language, language) << abbreviation;
    }
    setSettings("[Advance]\nLanguage=0\n");
    system.setLocaleAbbreviation(QStringLiteral("CHS"));
    trek::ReadLanguageSetting();
    EXPECT_EQ(appState().language, 0);
}

TEST_F(SettingsTable, CurrentLanguageTextFollowsTheSharedIndex)
{
    appState().language = 0;
    EXPECT_EQ(trek::GetLangText(trek::TextRow::ProgramName), QStringLiteral(" Trekkomat_2 "));
    for (const int language : {1, 2}) {
        appState().language = language;
        EXPECT_EQ(trek::GetLangText(trek::TextRow::Height),
                  trek::GetLangText(trek::TextRow::Height, language));
        EXPECT_NE(trek::GetLangText(trek::TextRow::Height),
                  trek::GetLangText(trek::TextRow::Height, 0));
    }
}

TEST_F(SettingsTable, WritesIntegersAsDecimalTextAndReportsFailure)
{
    const trek::setting::MissionKeys& a = trek::setting::Missions[0];
    ASSERT_TRUE(a.startTime.Write(-294967296));
    ASSERT_TRUE(a.goes.Write(12.5));
    EXPECT_EQ(profile.fileText(appState().settingsPath).toStdString(),
              "[Mission]\nA_StartTime=-294967296\nA_Goes=12.500000\n");

    profile.setWritesFail(true);
    EXPECT_FALSE(a.startTime.Write(1));
    EXPECT_EQ(a.startTime.Read(), -294967296);

    trek::appState().services.profile = nullptr; // no profile installed: defaults, no crash
    EXPECT_EQ(a.startTime.Read(7), 7);
    EXPECT_FALSE(a.startTime.Write(1));
}

TEST(RealFromText, ReadsTheLeadingRealWithADecimalPoint)
{
    const std::vector<std::pair<const char*, double>> cases = {
        {"12.5", 12.5}, {"12.500000", 12.5}, {" -3.25e2xyz", -325.0},
        {".5", 0.5},    {"5.", 5.0},         {"+7", 7.0},
        {"2e", 2.0},    {"1,5", 1.0},        {"abc", 0.0},
        {"", 0.0},      {"-", 0.0},          {".", 0.0},
        {"0.0", 0.0},   {"1e999", 0.0}};
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(trek::RealFromText(QString::fromLatin1(text)), expected) << text;
    }
}

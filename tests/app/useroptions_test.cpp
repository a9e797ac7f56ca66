// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/useroptions.h"
#include "appfixture.h"

namespace trek {
namespace {

using UserOptions = test::AppFixture;

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// The report tab has drawn March 2024 and would skip drawing it again.
void HoldAMonth()
{
    appState().reportCache = {0, 2024, 3};
}

TEST_F(UserOptions, EveryOptionOfOneChangeIsOneReplacementAndTakesEffectOnlyWhenWritten)
{
    setSettings("[Advance]\r\nLanguage=0\r\n[Sleep]\r\nStartHour=21\r\n");
    HoldAMonth();
    UserOptionChange change;
    change.language = 2;
    change.unitMode = 1;
    change.enableUpgrade = false;
    change.autoConfirm = true;
    change.slightMoving = -3;
    ASSERT_TRUE(ChangeUserOptions(change).ok());
    EXPECT_EQ(profile.writeCount(), 1);
    const QString path = appState().settingsPath;
    EXPECT_EQ(profile.fileText(path),
              QByteArray("[Advance]\r\nLanguage=2\r\nEnableUpgrade=0\r\nAutoConfirm=1\r\n"
                         "[Sleep]\r\nStartHour=21\r\nSlightMoving=-3\r\n\r\n"
                         "[Current]\r\nUnitMode=1\r\n"));
    const AppState& state = appState();
    EXPECT_EQ(state.language, 2);
    EXPECT_EQ(state.values.unitMode, 1);
    EXPECT_FALSE(state.values.enableUpgrade);
    EXPECT_TRUE(state.values.autoConfirm);
    EXPECT_EQ(state.values.slightMoving, -3);
    EXPECT_FALSE(state.reportCache.Holds(0, 2024, 3)); // drawn with the old threshold

    // Keys not named stay out of the file: a missing "SlightMoving" keeps meaning its default.
    setSettings("");
    change = {};
    change.autoConfirm = false;
    ASSERT_TRUE(ChangeUserOptions(change).ok());
    EXPECT_EQ(profile.fileText(path), QByteArray("[Advance]\nAutoConfirm=0\n"));

    // A write that fails changes nothing, in the file or in memory.
    setSettings("[Sleep]\r\nSlightMoving=4\r\n");
    appState().values.slightMoving = 4;
    HoldAMonth();
    profile.setWritesFail(true);
    change = {};
    change.language = 1;
    change.slightMoving = 9;
    const Result<> failed = ChangeUserOptions(change);
    EXPECT_FALSE(failed.ok());
    EXPECT_FALSE(failed.error().isEmpty());
    EXPECT_EQ(profile.fileText(path), QByteArray("[Sleep]\r\nSlightMoving=4\r\n"));
    EXPECT_EQ(appState().language, 2);
    EXPECT_EQ(appState().values.slightMoving, 4);
    EXPECT_TRUE(appState().reportCache.Holds(0, 2024, 3));
}

TEST_F(UserOptions, ThresholdIsAWholeNumberThatFitsAndNothingElse)
{
    const std::pair<const char*, int> accepted[] = {
        {"0", 0}, {" 12 ", 12}, {"-0", 0}, {"+7", 7}, {"007", 7}, {"2147483647", 2147483647}};
    for (const auto& [text, value] : accepted) {
        const Result<int> parsed = ParseSlightMoving(QString::fromUtf8(text));
        ASSERT_TRUE(parsed.ok()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
    for (const char* text :
         {"", "  ", "abc", "12abc", "1 2", "1.5", "0x10", "--3", "-3", "-2147483648", "2147483648",
          "-2147483649", "99999999999999999999", "\xd9\xa3" /* Arabic 3 */}) {
        const Result<int> parsed = ParseSlightMoving(QString::fromUtf8(text));
        EXPECT_FALSE(parsed.ok()) << text;
        EXPECT_FALSE(parsed.error().isEmpty()) << text;
    }
}

TEST_F(UserOptions, LinesShowAnUnknownLanguageAsEnglishAndAnyNonZeroUnitModeAsImperial)
{
    appState().language = 7;
    appState().values.unitMode = 5;
    const QList<OptionLine> lines = UserOptionLines();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.at(0).caption + lines.at(0).value, s("Englishon"));
    EXPECT_EQ(lines.at(3).caption + lines.at(3).value, s("Metric  Unitsoff"));
    EXPECT_EQ(lines.at(4).caption + lines.at(4).value, s("Imperial unitson"));
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/timesetrules.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

struct RuleCase
{
    const char* name;
    TimeSetState state;
    TimeSetControls expected;
};

TEST(TimeSetRules, ControlsFollowTheLinkTheCorrectionModeAndACollection)
{
    // driveButtons, timeSet, clockCheckVisible, clockCheckEnabled, autoManualVisible,
    // correction, sleepTimes
    const std::array<RuleCase, 7> cases{{
        {"nothing connected",
         {0, false, false, false, false},
         {true, false, false, false, false, true, false}},
        {"file model",
         {'E', false, false, true, false},
         {true, true, false, false, false, true, true}},
        // A file-model wristband has no Auto: its slider is what it gets, whatever the flag.
        {"file model, plugged",
         {'E', false, true, false, false},
         {true, true, false, false, false, true, false}},
        {"pass-through, Auto",
         {'F', true, false, false, false},
         {true, true, true, true, true, false, false}},
        {"pass-through, Manual",
         {'F', true, true, true, false},
         {true, true, true, true, true, true, true}},
        {"no letter, Auto",
         {'*', true, false, false, false},
         {true, true, true, true, true, false, false}},
        {"during a collection",
         {'F', true, true, true, true},
         {false, false, true, false, true, true, true}},
    }};
    for (const RuleCase& rule : cases) {
        const TimeSetControls got = TimeSetControlRules(rule.state);
        const TimeSetControls& want = rule.expected;
        EXPECT_EQ(got.driveButtonsEnabled, want.driveButtonsEnabled) << rule.name;
        EXPECT_EQ(got.timeSetEnabled, want.timeSetEnabled) << rule.name;
        EXPECT_EQ(got.clockCheckVisible, want.clockCheckVisible) << rule.name;
        EXPECT_EQ(got.clockCheckEnabled, want.clockCheckEnabled) << rule.name;
        EXPECT_EQ(got.autoManualVisible, want.autoManualVisible) << rule.name;
        EXPECT_EQ(got.correctionEnabled, want.correctionEnabled) << rule.name;
        EXPECT_EQ(got.sleepTimesEnabled, want.sleepTimesEnabled) << rule.name;
    }
}

TEST(TimeSetRules, CollectingLetterMakesTheStateBusy)
{
    resetAppState();
    appState().link.driveLetter = 'F';
    EXPECT_FALSE(CurrentTimeSetState().busy);
    EXPECT_TRUE(CurrentTimeSetState(true).busy);
    appState().link.collectingLetter = 'F';
    EXPECT_TRUE(CurrentTimeSetState().busy);
    resetAppState();
}

TEST(TimeSetRules, SliderLabelInWordsAndLanguages)
{
    resetAppState();
    EXPECT_EQ(CorrectionLabelText(-7), QStringLiteral("Slower 7 sec/day"));
    EXPECT_EQ(CorrectionLabelText(0), QString());
    EXPECT_EQ(CorrectionLabelText(99), QStringLiteral("Faster 99 sec/day"));
    appState().language = 1;
    EXPECT_EQ(CorrectionLabelText(-7), QStringLiteral(u"每天慢 7 秒"));
    resetAppState();
}

TEST(TimeSetRules, NineDrivesGiveEightButtonsFromDUp)
{
    std::uint32_t mask = 0b111; // A to C never get one
    for (char letter = 'D'; letter <= 'L'; ++letter) {
        mask |= std::uint32_t{1} << (letter - 'A');
    }
    EXPECT_EQ(DriveButtonLetters(mask), (QList<char>{'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K'}));
    // Gaps close up; Z is the last letter.
    const std::uint32_t sparse = (1U << ('E' - 'A')) | (1U << ('Z' - 'A')) | (1U << 26);
    EXPECT_EQ(DriveButtonLetters(sparse), (QList<char>{'E', 'Z'}));
}

} // namespace
} // namespace trek

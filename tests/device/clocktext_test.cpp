// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/clocktext.h"
#include "resetsettings.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

const QDateTime PcNow(QDate(2026, 3, 7), QTime(9, 5, 3));

using test::ResetSettings;

WristbandSettings parsed(const QByteArray& text)
{
    WristbandSettings s = ResetSettings();
    ParseClockText(text, s);
    return s;
}

QByteArray lineWith(const QByteArray& text, const QByteArray& key)
{
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(key)) {
            return line;
        }
    }
    return {};
}

TEST(ClockTextSetup, WholeFileInItsOrder)
{
    WristbandSettings s = ResetSettings();
    s.hourMode = 1;
    s.clockCorrection = -12;
    const QByteArray message("Go!");
    std::copy(message.begin(), message.end(), s.message.begin());
    EXPECT_EQ(FormatSetupClockText(s, PcNow), QByteArray("UStr=Go!\n"
                                                         "UPic=\n"
                                                         "Disp=GAGJKEJAAA\n"
                                                         "Sped=4\n"
                                                         "TAdj=-12\n"
                                                         "Date=20260307\n"
                                                         "Time=090503\n"
                                                         "HMod=1\n"));
}

TEST(ClockTextSetup, PictureLinesAsHexUpToTheEndMark)
{
    WristbandSettings s = ResetSettings();
    s.picture[0] = 0;
    s.picture[1] = 0;
    s.picture[2] = 0x40; // dot 1 of line 3
    EXPECT_EQ(lineWith(FormatSetupClockText(s, PcNow), "UPic="), QByteArray("UPic=000040"));

    s.picture.fill(0x0A); // no end mark: at most 39 lines are written
    EXPECT_EQ(lineWith(FormatSetupClockText(s, PcNow), "UPic="),
              QByteArray("UPic=") + QByteArray(39 * 2, '0').replace("00", "0A"));
}

TEST(ClockTextSetup, MessageFilterKeepsPrintableCharactersAndCutsAt36)
{
    std::array<char, WristbandSettings::MessageSize> message{};
    const QByteArray raw = QByteArray("A\tB\x01") + char(0xE9) + QByteArray(40, 'x');
    std::copy_n(raw.begin(), message.size() - 1, message.begin());
    const QByteArray filtered = FilterMessage(message);
    EXPECT_EQ(filtered, QByteArray("AB") + QByteArray(34, 'x'));

    message.fill('y');
    message.back() = '\0';
    EXPECT_EQ(FilterMessage(message), QByteArray(36, 'y'));
}

TEST(ClockTextRead, ValuesAreTakenAndHeldToTheirRanges)
{
    const WristbandSettings s = parsed("UStr=Morning walk\n"
                                       "UPic=00407fZZ41\n"
                                       "Disp=1b\n"
                                       "Sped=-3\n"
                                       "TAdj=150\n"
                                       "Date=20200101\n"
                                       "Time=235959\n"
                                       "HMod=1\n");
    EXPECT_STREQ(s.message.data(), "Morning walk");
    EXPECT_EQ(s.picture[0], 0x00);
    EXPECT_EQ(s.picture[1], 0x40);
    EXPECT_EQ(s.picture[2], 0x7F);
    EXPECT_EQ(s.picture[3], 0xFF); // cut at the first pair that is not hex
    EXPECT_EQ(s.displayEntries, (std::array<int, 10>{1, 1, 6, 9, 10, 4, 9, 0, 0, 0}));
    EXPECT_EQ(s.scrollSpeed, 0);
    EXPECT_EQ(s.clockCorrection, 99);
    EXPECT_EQ(s.hourMode, 1);
}

TEST(ClockTextRead, CommentsCountButDemoLinesDoNot)
{
    EXPECT_EQ(parsed("REM : TAdj=5 set by the wristband\n").clockCorrection, 5);
    EXPECT_EQ(parsed("Demo=1 TAdj=7\n").clockCorrection, 0);
    EXPECT_EQ(parsed("TAdj=-150\n").clockCorrection, -99);
    EXPECT_EQ(parsed("Sped=99999999999999999999\n").scrollSpeed, 8);
}

TEST(ClockTextRead, DisplayLettersBeyondTheLastEffectCountAsTheLast)
{
    const WristbandSettings s = parsed("Disp=Zk9J-A\n");
    EXPECT_EQ(s.displayEntries, (std::array<int, 10>{10, 10, 9, 9, 10, 4, 9, 0, 0, 0}));
}

TEST(ClockTextRead, MessageIsCutAt36AndLongLinesArriveInPieces)
{
    const WristbandSettings s = parsed("UStr=" + QByteArray(50, 'm') + "\n");
    EXPECT_EQ(QByteArray(s.message.data()), QByteArray(36, 'm'));

    // A key past the 127th character of a line starts a piece of its own and still counts.
    const WristbandSettings split = parsed(QByteArray(127, '-') + "TAdj=4\n");
    EXPECT_EQ(split.clockCorrection, 4);
}

TEST(ClockTextRewrite, KeepsDisplayLinesAndReplacesTheClockLines)
{
    const QByteArray old = "UStr=Hello\n"
                           "REM : TAdj=5\n"
                           "Date=20250101\n"
                           "\n"
                           "Disp=GAGJKEJAAA\n"
                           "Time=000000\n"
                           "TAdj=3\n"
                           "HMod=0\n"
                           "Sped=4"; // the last line without its line end
    EXPECT_EQ(RewriteClockText(old, PcNow, -8, 1), QByteArray("UStr=Hello\n"
                                                              "Disp=GAGJKEJAAA\n"
                                                              "Sped=4\n"
                                                              "\n"
                                                              "Date=20260307\n"
                                                              "Time=090503\n"
                                                              "TAdj=-8\n"
                                                              "HMod=1"));
}

TEST(ClockTextRewrite, LongLinesAreKeptWhole)
{
    // Longer than any line buffer: cut into pieces, its tail would come back as a junk line.
    const QByteArray longLine = "UPic=" + QByteArray(300, '7');
    const QByteArray rewritten = RewriteClockText(longLine + "\nSped=4\n", PcNow, 0, 0);
    EXPECT_EQ(rewritten, longLine + "\nSped=4\n\nDate=20260307\nTime=090503\nTAdj=0\nHMod=0");
    // Twice: still one line of it.
    EXPECT_EQ(RewriteClockText(rewritten, PcNow, 0, 0), rewritten);
}

TEST(ClockTextRewrite, MissingFileGivesOnlyTheClockLines)
{
    EXPECT_EQ(RewriteClockText({}, PcNow, 0, 0),
              QByteArray("\nDate=20260307\nTime=090503\nTAdj=0\nHMod=0"));
}

TEST(ClockTextRewrite, TwoTimeSetsInARowKeepEachClockKeyOnce)
{
    const QByteArray once = RewriteClockText("UStr=x\nSped=2\n", PcNow, 3, 0);
    const QByteArray twice = RewriteClockText(once, PcNow.addSecs(60), 4, 1);
    for (const char* key : {"Date=", "Time=", "TAdj=", "HMod=", "UStr=", "Sped="}) {
        EXPECT_EQ(twice.count(key), 1) << key;
    }
    EXPECT_TRUE(twice.contains("Time=090603\nTAdj=4\nHMod=1"));
    EXPECT_TRUE(twice.startsWith("UStr=x\nSped=2\n\n"));
}

TEST(ClockTextRewrite, ControlCharactersCutALineAndTheKeptTextIsBounded)
{
    const QByteArray withControl = RewriteClockText("UStr=ab\x01zz\n", PcNow, 0, 0);
    EXPECT_TRUE(withControl.startsWith("UStr=ab\n\n"));

    QByteArray many;
    for (int i = 0; i < 300; ++i) {
        many += "Xtra=" + QByteArray::number(i).rightJustified(3, '0') + '\n'; // 9 bytes a line
    }
    const QByteArray rewritten = RewriteClockText(many, PcNow, 0, 0);
    const qsizetype kept = rewritten.indexOf("\nDate=");
    EXPECT_LE(kept, 2048);
    EXPECT_EQ(kept, 227 * 9); // every whole line that fits
}

} // namespace
} // namespace trek

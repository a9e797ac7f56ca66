// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/recordformats.h"
#include "datatestsupport.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

std::optional<TextSpan> Parse(const char* line)
{
    return ParseTextLine(QByteArrayView(line));
}

TEST(TextLine, AcceptsTheWristbandsFormWithAnyBlanksBeforeNumbers)
{
    const auto span = Parse("10:00~10:02 100\r\n");
    ASSERT_TRUE(span);
    EXPECT_EQ(span->startHour, 10);
    EXPECT_EQ(span->startMinute, 0);
    EXPECT_EQ(span->endHour, 10);
    EXPECT_EQ(span->endMinute, 2);
    EXPECT_EQ(span->steps, 100);

    const auto spaced = Parse(" 7: 5~ 8:09\t\t42");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->startMinute, 5);
    EXPECT_EQ(spaced->steps, 42);
    // The blank between the time and the steps may be missing, as "%d %d" allows.
    EXPECT_TRUE(Parse("7:05~8:09+42"));
}

TEST(TextLine, RejectsLinesOutsideTheFormOrTheRanges)
{
    for (const char* line :
         {"", "\r\n", "REM 10:00~10:02 5", "10:00-10:02 5", "10 :00~10:02 5", "10:00~10:02",
          "10:00~10:02 0", "10:00~10:02 -5", "24:00~10:02 5", "10:60~10:02 5", "10:00~-1:02 5",
          "10:00~10:60 5", "a:00~10:02 5", "10:00~10:02 x"}) {
        EXPECT_FALSE(Parse(line)) << line;
    }
}

TEST(TextLine, StopsAtANulByte)
{
    const QByteArray line("10:00~10:02 \0"
                          "55",
                          15);
    EXPECT_FALSE(ParseTextLine(line));
}

TEST(TextLine, HugeStepCountsAreHeldAtTheLimitInsteadOfOverflowing)
{
    const auto span = Parse("10:00~10:02 99999999999999");
    ASSERT_TRUE(span);
    EXPECT_EQ(span->steps, 2147483647);
}

TEST(DayFileLines, SplitsLikeAnEightyByteLineBuffer)
{
    const QByteArray longLine = QByteArray(79, 'x') + "1:00~1:00 5\n";
    const QByteArray content = QByteArray("1:00~1:01 9\r\n") + longLine + "2:00~2:00 3";
    const auto lines = SplitDayFileLines(content);
    ASSERT_EQ(lines.size(), 3U);
    EXPECT_EQ(lines[0], QByteArray("1:00~1:01 9\r\n"));
    EXPECT_EQ(lines[1], QByteArray(79, 'x'));
    // The rest of the overlong line is read as a line of its own.
    EXPECT_EQ(lines[2], QByteArray("1:00~1:00 5\n"));
    // The last line had no line break and was dropped.
}

TEST(DayFileLines, ALineOfExactlySeventyNineCharactersLeavesItsBreakAlone)
{
    const QByteArray line = QByteArray(79, 'y') + "\n";
    const auto lines = SplitDayFileLines(line);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].size(), 79);
    EXPECT_EQ(lines[1], QByteArray("\n"));
}

TEST(DayFileName, TakesTwelveCharacterNamesWithAUsableDate)
{
    const auto date = ParseDayFileName(QStringLiteral("20140931.txt"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->year, 2014);
    EXPECT_EQ(date->month, 9);
    EXPECT_EQ(date->day, 31); // the 31st passes for every month
    EXPECT_TRUE(ParseDayFileName(QStringLiteral("20991231.KDX")));
    EXPECT_TRUE(ParseDayFileName(QStringLiteral("20120101.TXT")));

    for (const char* name :
         {"20111231.txt", "21000101.txt", "20141301.txt", "20140001.txt", "20140100.txt",
          "20140132.txt", "2014011.txt", "201401011.txt", "2014a101.txt", "notes.txt"}) {
        EXPECT_FALSE(ParseDayFileName(QString::fromLatin1(name))) << name;
    }
}

TEST(KdxDayFile, ReadsBigEndianValuesFromTheHoursBlock)
{
    QByteArray file(KdxDayFileLength, '\0');
    // Hour 13 is the second hour of block 3: bytes 3*512 + 120 on; minute 7 two bytes each.
    file[3 * 512 + 120 + 14] = 0x01;
    file[3 * 512 + 120 + 15] = 0x02;
    EXPECT_EQ(KdxMinuteValue(file, 13, 7), 0x0102);
    EXPECT_EQ(KdxMinuteValue(file, 13, 6), 0);
    EXPECT_EQ(KdxMinuteValue(file, 12, 67 - 60), 0);
}

TEST(K7Record, DecodesTheHeaderAndBigEndianValues)
{
    const QByteArray bytes = test::K7Record(14, 3, 31, 23, {5, 0x1234});
    const auto record = ParseK7Record(reinterpret_cast<const std::uint8_t*>(bytes.constData()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->year, 2014);
    EXPECT_EQ(record->month, 3);
    EXPECT_EQ(record->day, 31);
    EXPECT_EQ(record->hour, 23);
    EXPECT_EQ(record->values[0], 5);
    EXPECT_EQ(record->values[1], 0x1234);
}

TEST(K7Record, HeaderOutOfRangeEndsTheData)
{
    const auto valid = [](int y, int m, int d, int h) {
        const QByteArray bytes = test::K7Record(y, m, d, h, {});
        return ParseK7Record(reinterpret_cast<const std::uint8_t*>(bytes.constData())).has_value();
    };
    EXPECT_FALSE(valid(0, 0, 0, 0)); // a zeroed block from a failed read
    EXPECT_FALSE(valid(0xFF, 0xFF, 0xFF, 0xFF));
    EXPECT_FALSE(valid(14, 13, 1, 0));
    EXPECT_FALSE(valid(14, 1, 32, 0));
    EXPECT_FALSE(valid(14, 1, 0, 0));
    EXPECT_FALSE(valid(14, 1, 1, 24));
    // A wristband still in use after 2023 keeps its records.
    EXPECT_TRUE(valid(26, 12, 7, 0));
}

TEST(K9EBlock, DecodesLittleEndianValuesAndTheEndMark)
{
    const QByteArray bytes = test::K9EBlock(26, 4, 30, 12, {12, 0x0301}, true);
    const auto block = ParseK9EBlock(reinterpret_cast<const std::uint8_t*>(bytes.constData()));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->year, 2026);
    EXPECT_EQ(block->hour, 12);
    EXPECT_EQ(block->values[0], 12);
    EXPECT_EQ(block->values[1], 0x0301);
    EXPECT_TRUE(block->last);

    QByteArray other = test::K9EBlock(26, 4, 30, 0, {}, false);
    other[292] = 14;
    EXPECT_FALSE(ParseK9EBlock(reinterpret_cast<const std::uint8_t*>(other.constData()))->last);
}

TEST(K9EBlock, ZeroDateOrLateHourEndsTheStream)
{
    for (const auto& header : std::vector<std::array<int, 4>>{
             {0, 4, 30, 0}, {26, 0, 30, 0}, {26, 4, 0, 0}, {26, 4, 30, 24}}) {
        const QByteArray bytes =
            test::K9EBlock(header[0], header[1], header[2], header[3], {1}, true);
        EXPECT_FALSE(ParseK9EBlock(reinterpret_cast<const std::uint8_t*>(bytes.constData())));
    }
}

} // namespace
} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/passthroughwristband.h"
#include "emulatortestsupport.h"

#include <gtest/gtest.h>

namespace trek::emu {
namespace {

using platform::DataDirection;
using test::ByteAt;
using test::Execute;
using test::FakeHostClock;
using test::FilledBlock;
using test::Read;
using Model = PassThroughWristband::Model;

constexpr std::uint8_t CheckCondition = 2;

qsizetype WatchOffset(const QByteArray& answer)
{
    // Discovery searches from byte 8 as text, up to the first zero byte.
    const QByteArray text = answer.mid(8).left(answer.mid(8).indexOf('\0'));
    const qsizetype found = text.indexOf("Watch");
    return found < 0 ? -1 : found + 8;
}

TEST(PassThroughWristbandInquiry, PlacesIdentificationAtTheOffsetsDiscoveryReads)
{
    PassThroughWristband band(Model::K9E, {});
    const auto reply = Read(band, {0x12, 0, 0, 0, 0x24}, 44);
    ASSERT_EQ(reply.status, 0);
    EXPECT_EQ(reply.residue, 8u); // 36 of the 44 bytes asked

    const qsizetype watch = WatchOffset(reply.data);
    ASSERT_GE(watch, 8);
    EXPECT_EQ(reply.data.mid(watch + 6, 2), QByteArray("K7"));
    EXPECT_EQ(reply.data.at(watch + 8), 'E');
    EXPECT_NE(ByteAt(reply.data, watch + 14), 0); // starts with new data
    // A standard removable direct-access answer, with the fields a udev rule matches on.
    EXPECT_EQ(ByteAt(reply.data, 0), 0x00);
    EXPECT_EQ(ByteAt(reply.data, 1) & 0x80, 0x80);
    EXPECT_EQ(ByteAt(reply.data, 3), 2);
    EXPECT_EQ(ByteAt(reply.data, 4), 31);
    EXPECT_EQ(reply.data.mid(8, 8), QByteArray("Watch K7"));
    EXPECT_EQ(reply.data.mid(16, 6), QByteArray("E-Band"));
    EXPECT_EQ(reply.data.mid(23, 9), QByteArray(" Stepper "));
    EXPECT_EQ(reply.data.mid(36), QByteArray(8, '\0')); // nothing beyond the 36 bytes
}

TEST(PassThroughWristbandInquiry, EndCollectionClearsNewDataAndK7HasItsOwnLetter)
{
    PassThroughWristband band(Model::K7, {});
    EXPECT_EQ(Read(band, {0x12, 0, 0, 0, 0x24}, 44).data.at(16), 'A');

    EXPECT_EQ(Execute(band, {0xFE, 0x03}, DataDirection::None, {}).status, 0);
    const auto after = Read(band, {0x12, 0, 0, 0, 0x24}, 44);
    EXPECT_EQ(ByteAt(after.data, WatchOffset(after.data) + 14), 0);
    EXPECT_FALSE(band.hasNewData());
    EXPECT_EQ(band.endCollectionCount(), 1);

    band.loadImage(FilledBlock(1)); // new records arrive
    const auto renewed = Read(band, {0x12, 0, 0, 0, 0x24}, 44);
    EXPECT_NE(ByteAt(renewed.data, WatchOffset(renewed.data) + 14), 0);
}

TEST(PassThroughWristbandInquiry, AnswerIsCutToTheAllocationLength)
{
    PassThroughWristband band(Model::K9E, {});
    const auto reply = Read(band, {0x12, 0, 0, 0, 10}, 44);
    EXPECT_EQ(reply.residue, 34u);
    EXPECT_EQ(reply.data.mid(8, 2), QByteArray("Wa"));
    EXPECT_EQ(reply.data.mid(10), QByteArray(34, '\0'));
}

TEST(PassThroughWristbandCommands, UnknownOrMisdirectedCommandsAreRefused)
{
    PassThroughWristband band(Model::K9E, {});
    EXPECT_EQ(Read(band, {0xFE, 0x07}, 512).status, CheckCondition);
    const auto unknown = Read(band, {0x28}, 512);
    EXPECT_EQ(unknown.status, CheckCondition);
    EXPECT_EQ(unknown.residue, 512u);
    EXPECT_TRUE(unknown.sense.valid);
    EXPECT_EQ(unknown.sense.key, 0x05); // ILLEGAL REQUEST
    EXPECT_EQ(unknown.sense.asc, 0x20); // invalid command operation code
    EXPECT_EQ(Read(band, {0xFE, 0x02, 0, 0, 8, 0}, 512).status,
              CheckCondition); // K9E: no memory
    const auto misdirected =
        Execute(band, {0xFE, 0x00}, DataDirection::ToDevice, QByteArray(256, '\0'));
    EXPECT_EQ(misdirected.status, CheckCondition);
    EXPECT_EQ(misdirected.sense.asc, 0x24); // invalid field in the command
}

// A settings block as the PC writes it.
QByteArray WrittenBlock(const QDateTime& clock, std::int8_t correction)
{
    QByteArray block(256, '\0');
    const QByteArray header("Gaitronix K7E V1");
    std::copy(header.begin(), header.end(), block.begin());
    const char time[6] = {
        static_cast<char>(clock.date().year() - 2000), static_cast<char>(clock.date().month()),
        static_cast<char>(clock.date().day()),         static_cast<char>(clock.time().hour()),
        static_cast<char>(clock.time().minute()),      static_cast<char>(clock.time().second())};
    std::copy(time, time + 6, block.begin() + 16);
    block[30] = 0x12;
    block[31] = static_cast<char>(correction);
    block[32] = 6;
    for (int entry = 0; entry < 10; ++entry) {
        block[33 + entry] = static_cast<char>(entry);
    }
    block[45] = static_cast<char>(0xED);
    block[46] = 7;
    block[47] = 22;
    const QByteArray message("Keep walking");
    std::copy(message.begin(), message.end(), block.begin() + 48);
    block[112] = 0x40;
    block[113] = 0x00;
    std::fill(block.begin() + 114, block.begin() + 152, '\xff');
    const char sleep[5] = {3, 22, 30, 6, 45};
    std::copy(sleep, sleep + 5, block.begin() + 160);
    block[176] = 3;
    return block;
}

test::Reply Write(ScsiTarget& target, QByteArray block)
{
    return Execute(target, {0xFE, 0x01}, DataDirection::ToDevice, std::move(block));
}

QDateTime TimeAt(const QByteArray& block, int offset)
{
    return QDateTime(
        QDate(2000 + ByteAt(block, offset), ByteAt(block, offset + 1), ByteAt(block, offset + 2)),
        QTime(ByteAt(block, offset + 3), ByteAt(block, offset + 4), ByteAt(block, offset + 5)),
        Qt::UTC);
}

TEST(PassThroughWristbandSettings, NeverSetClockAnswersZeroLastSetTime)
{
    FakeHostClock host;
    PassThroughWristband band(Model::K9E, {}, host.function());
    const auto reply = Read(band, {0xFE, 0x00}, 512);
    ASSERT_EQ(reply.status, 0);
    EXPECT_EQ(reply.residue, 256u); // the block is 256 bytes, the buffer 512
    EXPECT_EQ(reply.data.left(16), QByteArray("Gaitronix K7E V1"));
    EXPECT_EQ(reply.data.mid(24, 6), QByteArray(6, '\0'));
    EXPECT_EQ(ByteAt(reply.data, 30), 0x24); // 24-hour until told otherwise
    EXPECT_EQ(reply.data.mid(33, 10), QByteArray::fromHex("06000609 0a040900 0000"));
    EXPECT_EQ(reply.data.mid(256), QByteArray(256, '\0'));
}

TEST(PassThroughWristbandSettings, WrittenBlockComesBackWithADriftingClock)
{
    FakeHostClock host;
    PassThroughWristband band(Model::K9E, {}, host.function());
    band.clock().setDriftSecondsPerDay(3.0);
    const QDateTime setTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC);
    const QByteArray written = WrittenBlock(setTime, 0);
    ASSERT_EQ(Write(band, written).status, 0);

    host.now = host.now.addDays(10);
    const QByteArray read = Read(band, {0xFE, 0x00}, 512).data;
    EXPECT_EQ(TimeAt(read, 16), setTime.addDays(10).addSecs(30));
    EXPECT_EQ(TimeAt(read, 24), setTime);
    EXPECT_EQ(band.clockCorrection(), 0);
    EXPECT_TRUE(band.twelveHourMode());
    for (const auto& [offset, size] :
         {std::pair{30, 18}, {48, 64}, {112, 40}, {160, 5}, {176, 1}}) {
        EXPECT_EQ(read.mid(offset, size), written.mid(offset, size)) << "at offset " << offset;
    }
    EXPECT_EQ(read.mid(22, 2), QByteArray(2, '\0'));
}

TEST(PassThroughWristbandSettings, WrittenCorrectionCancelsTheDrift)
{
    FakeHostClock host;
    PassThroughWristband band(Model::K7, {}, host.function());
    band.clock().setDriftSecondsPerDay(3.0);
    const QDateTime setTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC);
    ASSERT_EQ(Write(band, WrittenBlock(setTime, -3)).status, 0);
    host.now = host.now.addDays(10);
    EXPECT_EQ(TimeAt(Read(band, {0xFE, 0x00}, 256).data, 16), setTime.addDays(10));
    EXPECT_EQ(band.clockCorrection(), -3);
}

TEST(PassThroughWristbandSettings, BlockWithImpossibleClockIsRefusedWhole)
{
    PassThroughWristband band(Model::K9E, {});
    QByteArray block = WrittenBlock(QDateTime(QDate(2026, 3, 1), QTime(10, 0), Qt::UTC), 5);
    block[17] = 13; // month 13
    EXPECT_EQ(Write(band, block).status, CheckCondition);
    EXPECT_EQ(band.clockCorrection(), 0);
    EXPECT_FALSE(band.clock().lastSet().has_value());
}

TEST(PassThroughWristbandRecords, K7MemoryBlocksPastTheImageAreZeros)
{
    QByteArray image = FilledBlock(1) + FilledBlock(2) + QByteArray(100, 3);
    PassThroughWristband band(Model::K7, image);
    EXPECT_EQ(Read(band, {0xFE, 0x02, 0, 0, 1, 0}, 512).data, FilledBlock(2));
    const auto partial = Read(band, {0xFE, 0x02, 0, 0, 2, 0}, 512);
    EXPECT_EQ(partial.data, QByteArray(100, 3) + QByteArray(412, '\0'));
    const auto past = Read(band, {0xFE, 0x02, 0, 0, 124, 0}, 512);
    EXPECT_EQ(past.status, 0);
    EXPECT_EQ(past.data, QByteArray(512, '\0'));
    // The block number is the fifth command byte; the others do not select anything.
    EXPECT_EQ(Read(band, {0xFE, 0x02, 0, 1, 0, 0}, 512).data, FilledBlock(1));
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).status, CheckCondition); // no stream on a K7
}

TEST(PassThroughWristbandRecords, K9EStreamGivesBlocksInOrderThenZeros)
{
    PassThroughWristband band(Model::K9E, FilledBlock(1) + FilledBlock(2) + FilledBlock(3));
    for (const char fill : {'\1', '\2', '\3'}) {
        EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, FilledBlock(fill));
    }
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, QByteArray(512, '\0'));
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, QByteArray(512, '\0'));
    EXPECT_EQ(band.recordBlocksRead(), 5);
}

TEST(PassThroughWristbandFailures, DisappearsAfterNBlocksUntilReconnected)
{
    PassThroughWristband band(Model::K9E, FilledBlock(1) + FilledBlock(2) + FilledBlock(3));
    band.disappearAfterBlocks(2);
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, FilledBlock(1));
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, FilledBlock(2));
    EXPECT_TRUE(band.isGone());
    const auto lost = Read(band, {0xFE, 0x04}, 512);
    EXPECT_TRUE(lost.deviceGone);
    EXPECT_EQ(lost.residue, 512u);
    EXPECT_TRUE(Read(band, {0x12, 0, 0, 0, 0x24}, 44).deviceGone);

    band.reconnect();
    EXPECT_TRUE(band.hasNewData()); // nothing was collected
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, FilledBlock(1));
}

TEST(PassThroughWristbandFailures, FailedReadDeliversNothingAndLosesNoBlock)
{
    PassThroughWristband band(Model::K9E, FilledBlock(1) + FilledBlock(2));
    band.failNextReads(1);
    const auto failed = Read(band, {0xFE, 0x04}, 512);
    EXPECT_EQ(failed.status, CheckCondition);
    EXPECT_EQ(failed.sense.key, 0x03); // MEDIUM ERROR
    EXPECT_EQ(failed.data, QByteArray(512, '\0'));
    EXPECT_EQ(Read(band, {0xFE, 0x04}, 512).data, FilledBlock(1));
}

QByteArray StreamBlock(const QDate& date, int hour, bool last)
{
    QByteArray block(512, '\0');
    block[0] = static_cast<char>(date.year() - 2000);
    block[1] = static_cast<char>(date.month());
    block[2] = static_cast<char>(date.day());
    block[3] = static_cast<char>(hour);
    block[4] = 7; // some steps
    block[292] = last ? 15 : 0;
    return block;
}

TEST(PassThroughWristbandFailures, EndlessStreamKeepsGivingValidBlocksWithoutEndMark)
{
    const QDate first(2026, 2, 27);
    PassThroughWristband band(Model::K9E,
                              StreamBlock(first, 0, false) + StreamBlock(first, 12, true));
    band.setEndlessStream(true);
    QDateTime expected(first, QTime(0, 0), Qt::UTC);
    for (int index = 0; index < 120; ++index) {
        const QByteArray block = Read(band, {0xFE, 0x04}, 512).data;
        ASSERT_NE(ByteAt(block, 292), 15) << "block " << index;
        const QDate date(2000 + ByteAt(block, 0), ByteAt(block, 1), ByteAt(block, 2));
        ASSERT_EQ(QDateTime(date, QTime(ByteAt(block, 3), 0), Qt::UTC), expected)
            << "block " << index;
        ASSERT_EQ(ByteAt(block, 4), 7);
        expected = expected.addSecs(qint64{12} * 3600);
    }
}

} // namespace
} // namespace trek::emu

// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/linux/driveletters.h"
#include "backends/linux/mountinfo.h"

#include <gtest/gtest.h>

using namespace trek::platform;

namespace {

VolumeKey volume(std::uint32_t minor, const char* mountPoint)
{
    return VolumeKey{8, minor, QString::fromLatin1(mountPoint)};
}

std::uint32_t bit(char letter)
{
    return std::uint32_t{1} << (letter - 'A');
}

} // namespace

TEST(MountInfo, ParsesFieldsAndUndoesEscapes)
{
    const QByteArray text =
        "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
        "95 22 8:17 / /media/user/MY\\040STICK rw,nosuid shared:50 master:3 - vfat /dev/sdb1 rw\n"
        "96 22 8:32 / /mnt/tab\\011new\\012back\\134slash rw - vfat /dev/sdc rw\n"
        "97 22 8:17 /sub /srv/bind rw - vfat /dev/sdb1 rw\n";
    const std::vector<MountEntry> entries = parseMountInfo(text);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].mountPoint, QStringLiteral("/"));
    EXPECT_EQ(entries[1].major, 8u);
    EXPECT_EQ(entries[1].minor, 17u);
    EXPECT_EQ(entries[1].mountPoint, QStringLiteral("/media/user/MY STICK"));
    EXPECT_EQ(entries[1].fsType, QStringLiteral("vfat")); // found past two optional fields
    EXPECT_EQ(entries[1].source, QStringLiteral("/dev/sdb1"));
    EXPECT_EQ(entries[2].minor, 32u);
    EXPECT_EQ(entries[2].mountPoint, QStringLiteral("/mnt/tab\tnew\nback\\slash"));
    EXPECT_EQ(entries[3].root, QStringLiteral("/sub"));
}

TEST(MountInfo, SkipsMalformedLinesAndKeepsOddPaths)
{
    const QByteArray text = "garbage\n"
                            "1 2 8:1 / /no/separator rw ext4 /dev/sda1 rw\n"
                            "3 4 x:1 / /bad/numbers rw - ext4 /dev/sda1 rw\n"
                            "5 6 8:1 / /cut rw -\n"
                            "\n"
                            "7 8 8:65 / /media/\\04x\\ rw - vfat /dev/sde1 rw";
    const std::vector<MountEntry> entries = parseMountInfo(text);
    ASSERT_EQ(entries.size(), 1u);
    // An incomplete escape is kept as written rather than read past the field's end.
    EXPECT_EQ(entries[0].mountPoint, QStringLiteral("/media/\\04x\\"));
    EXPECT_EQ(unescapeMountField("a\\040b\\"), QByteArray("a b\\"));
}

TEST(DriveLetters, LowestFreeFromDAndStableWhileMounted)
{
    const LetterMap first =
        assignLetters({}, {volume(17, "/a"), volume(33, "/b"), volume(49, "/c")});
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first.at('D'), volume(17, "/a"));
    EXPECT_EQ(first.at('E'), volume(33, "/b"));
    EXPECT_EQ(first.at('F'), volume(49, "/c"));

    // D goes away: E and F keep their letters, whatever order the mount table now lists them in.
    const LetterMap second = assignLetters(first, {volume(49, "/c"), volume(33, "/b")});
    EXPECT_EQ(letterMask(second), bit('E') | bit('F'));
    EXPECT_EQ(second.at('E'), volume(33, "/b"));

    // A newcomer takes the freed D, the next one G.
    const LetterMap third = assignLetters(
        second, {volume(49, "/c"), volume(65, "/d"), volume(33, "/b"), volume(81, "/e")});
    EXPECT_EQ(third.at('D'), volume(65, "/d"));
    EXPECT_EQ(third.at('G'), volume(81, "/e"));

    const LetterChanges changes = compareLetters(second, third);
    EXPECT_EQ(changes.arrived, bit('D') | bit('G'));
    EXPECT_EQ(changes.removed, 0u);
    EXPECT_EQ(compareLetters(first, second).removed, bit('D'));
}

TEST(DriveLetters, RemountElsewhereIsANewVolumeAndZIsTheLast)
{
    const LetterMap before = assignLetters({}, {volume(17, "/a")});
    const LetterMap after = assignLetters(before, {volume(17, "/elsewhere")});
    EXPECT_EQ(after.at('D').mountPoint, QStringLiteral("/elsewhere"));
    const LetterChanges changes = compareLetters(before, after);
    EXPECT_EQ(changes.removed, bit('D'));
    EXPECT_EQ(changes.arrived, bit('D'));

    std::vector<VolumeKey> many;
    for (std::uint32_t i = 0; i < 30; ++i) {
        many.push_back(volume(i, "/m"));
    }
    const LetterMap full = assignLetters({}, many);
    EXPECT_EQ(full.size(), 23u); // D to Z
    EXPECT_EQ(full.rbegin()->first, 'Z');
    EXPECT_EQ(letterMask(full) & 0x7u, 0u); // never A, B or C
}

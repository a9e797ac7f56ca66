// SPDX-License-Identifier: GPL-3.0-or-later
#include "backends/sim/driveoption.h"
#include "backends/sim/simulateddriveservices.h"

#include <gtest/gtest.h>

namespace trek::platform {
namespace {

constexpr std::optional<WristbandModel> Folder; // a folder names no model

TEST(ParseDriveOption, ReadsFoldersImagesAndTheLetterlessWristband)
{
    const struct
    {
        const char* text;
        DriveOption expected;
    } cases[] = {
        {"E=/tmp/band", {'E', Folder, QStringLiteral("/tmp/band")}},
        {"f=k7:/tmp/k7.img", {'F', WristbandModel::K7, QStringLiteral("/tmp/k7.img")}},
        {"Z=K9E:rel/k9e.img", {'Z', WristbandModel::K9E, QStringLiteral("rel/k9e.img")}},
        {"*=k9e:/img", {'*', WristbandModel::K9E, QStringLiteral("/img")}},
        {"D=a=b", {'D', Folder, QStringLiteral("a=b")}},
        {"G=k9:dir", {'G', Folder, QStringLiteral("k9:dir")}}, // not a model prefix
    };
    for (const auto& [text, expected] : cases) {
        const Result<DriveOption> parsed = parseDriveOption(QString::fromUtf8(text));
        ASSERT_TRUE(parsed.ok()) << text << ": " << parsed.error().toStdString();
        EXPECT_EQ(*parsed, expected) << text;
    }
}

TEST(ParseDriveOption, RefusesWhatCannotBeADrive)
{
    for (const char* text : {"", "E", "/tmp/dir", "EF=/x", "C=/x", "A=k7:/x", "1=/x",
                             "E=", "E=k7:", "F=k9e:", "*=/tmp/dir", "=x"}) {
        const Result<DriveOption> parsed = parseDriveOption(QString::fromUtf8(text));
        EXPECT_FALSE(parsed.ok()) << text;
        EXPECT_TRUE(parsed.error().startsWith(QStringLiteral("Invalid drive \"") +
                                              QString::fromUtf8(text) + QStringLiteral("\": ")))
            << parsed.error().toStdString();
    }
}

TEST(CreateSimulatedDriveServices, RefusesBadOptionsAndALetterGivenTwice)
{
    const auto bad = createSimulatedDriveServices({QStringLiteral("E=/a"), QStringLiteral("Q")});
    EXPECT_FALSE(bad.ok());
    EXPECT_TRUE(bad.error().contains(QStringLiteral("\"Q\"")));

    const auto twice =
        createSimulatedDriveServices({QStringLiteral("E=/a"), QStringLiteral("e=k7:/b")});
    EXPECT_FALSE(twice.ok());
    EXPECT_EQ(twice.error(), QStringLiteral("Drive E: is given twice."));

    const auto twoStars = createSimulatedDriveServices(
        {QStringLiteral("*=k7:/nowhere/a"), QStringLiteral("*=k9e:/nowhere/b")});
    ASSERT_TRUE(twoStars.ok()) << twoStars.error().toStdString();
    EXPECT_EQ((*twoStars)->drives->devicePath(0), QStringLiteral("sim:/dev/sg-star"));
    EXPECT_EQ((*twoStars)->drives->devicePath(1), QStringLiteral("sim:/dev/sg-star2"));
}

} // namespace
} // namespace trek::platform

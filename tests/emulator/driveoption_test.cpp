#include "platform/sim/driveoption.h"
#include "platform/sim/simulateddriveservices.h"

#include <gtest/gtest.h>

namespace trek::platform {
namespace {

using Kind = DriveOption::Kind;

TEST(ParseDriveOption, ReadsFoldersImagesAndTheLetterlessWristband)
{
    const struct
    {
        const char* text;
        DriveOption expected;
    } cases[] = {
        {"E=/tmp/band", {'E', Kind::Folder, QStringLiteral("/tmp/band")}},
        {"f=k7:/tmp/k7.img", {'F', Kind::K7, QStringLiteral("/tmp/k7.img")}},
        {"Z=K9E:rel/k9e.img", {'Z', Kind::K9E, QStringLiteral("rel/k9e.img")}},
        {"*=k9e:/img", {'*', Kind::K9E, QStringLiteral("/img")}},
        {"D=a=b", {'D', Kind::Folder, QStringLiteral("a=b")}},
        {"G=k9:dir", {'G', Kind::Folder, QStringLiteral("k9:dir")}}, // not a model prefix
    };
    for (const auto& [text, expected] : cases) {
        const DriveOptionParse parsed = ParseDriveOption(QString::fromUtf8(text));
        ASSERT_TRUE(parsed.option.has_value()) << text << ": " << parsed.error.toStdString();
        EXPECT_EQ(*parsed.option, expected) << text;
        EXPECT_TRUE(parsed.error.isEmpty());
    }
}

TEST(ParseDriveOption, RefusesWhatCannotBeADrive)
{
    for (const char* text : {"", "E", "/tmp/dir", "EF=/x", "C=/x", "A=k7:/x", "1=/x",
                             "E=", "E=k7:", "F=k9e:", "*=/tmp/dir", "=x"}) {
        const DriveOptionParse parsed = ParseDriveOption(QString::fromUtf8(text));
        EXPECT_FALSE(parsed.option.has_value()) << text;
        EXPECT_TRUE(parsed.error.startsWith(QStringLiteral("Invalid drive \"") +
                                            QString::fromUtf8(text) + QStringLiteral("\": ")))
            << parsed.error.toStdString();
    }
}

TEST(CreateSimulatedDriveServices, RefusesBadOptionsAndALetterGivenTwice)
{
    const auto bad = createSimulatedDriveServices({QStringLiteral("E=/a"), QStringLiteral("Q")});
    EXPECT_EQ(bad.services, nullptr);
    EXPECT_TRUE(bad.error.contains(QStringLiteral("\"Q\"")));

    const auto twice =
        createSimulatedDriveServices({QStringLiteral("E=/a"), QStringLiteral("e=k7:/b")});
    EXPECT_EQ(twice.services, nullptr);
    EXPECT_EQ(twice.error, QStringLiteral("Drive E: is given twice."));

    const auto twoStars = createSimulatedDriveServices(
        {QStringLiteral("*=k7:/nowhere/a"), QStringLiteral("*=k9e:/nowhere/b")});
    ASSERT_NE(twoStars.services, nullptr) << twoStars.error.toStdString();
    EXPECT_EQ(twoStars.services->drives->devicePath(0), QStringLiteral("sim:/dev/sg-star"));
    EXPECT_EQ(twoStars.services->drives->devicePath(1), QStringLiteral("sim:/dev/sg-star2"));
}

} // namespace
} // namespace trek::platform

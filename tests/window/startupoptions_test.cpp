#include "app/window/startupoptions.h"

#include <gtest/gtest.h>

namespace trek {
namespace {

QStringList Args(std::initializer_list<const char*> rest)
{
    QStringList arguments{QStringLiteral("trekkomat")};
    for (const char* argument : rest) {
        arguments.append(QString::fromUtf8(argument));
    }
    return arguments;
}

TEST(StartupOptions, PlainStartRunsTheWindowWithUpdateCheck)
{
    QString error;
    const auto options = ParseStartupOptions(Args({}), &error);
    ASSERT_TRUE(options.has_value()) << error.toStdString();
    EXPECT_TRUE(options->driveOptions.isEmpty());
    EXPECT_TRUE(options->screenshotPath.isEmpty());
    EXPECT_TRUE(options->updateCheck);
}

TEST(StartupOptions, CollectsEveryDriveInOrderAndTheOtherSwitches)
{
    QString error;
    const auto options =
        ParseStartupOptions(Args({"--drive", "E=/media/band", "--no-update-check",
                                  "--drive=*=k9e:/tmp/img.bin", "--screenshot", "shot.png"}),
                            &error);
    ASSERT_TRUE(options.has_value()) << error.toStdString();
    EXPECT_EQ(options->driveOptions,
              QStringList({QStringLiteral("E=/media/band"), QStringLiteral("*=k9e:/tmp/img.bin")}));
    EXPECT_EQ(options->screenshotPath, QStringLiteral("shot.png"));
    EXPECT_FALSE(options->updateCheck);
}

TEST(StartupOptions, BadCommandLinesAreRefusedWithAReason)
{
    for (const QStringList& arguments :
         {Args({"--drive"}), Args({"--colour"}), Args({"stray"}), Args({"--screenshot", ""})}) {
        QString error;
        EXPECT_FALSE(ParseStartupOptions(arguments, &error).has_value())
            << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

} // namespace
} // namespace trek

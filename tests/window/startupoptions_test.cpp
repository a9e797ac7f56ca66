// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/startupoptions.h"

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
    const auto options = ParseStartupOptions(Args({}));
    ASSERT_TRUE(options.ok()) << options.error().toStdString();
    EXPECT_TRUE(options->driveOptions.isEmpty());
    EXPECT_TRUE(options->screenshotPath.isEmpty());
    EXPECT_TRUE(options->updateCheck);
    EXPECT_FALSE(options->quitAfterFirstFrame);
}

TEST(StartupOptions, CollectsEveryDriveInOrderAndTheOtherSwitches)
{
    const auto options = ParseStartupOptions(
        Args({"--drive", "E=/media/band", "--no-update-check", "--drive=*=k9e:/tmp/img.bin",
              "--screenshot", "shot.png", "--quit-after-first-frame"}));
    ASSERT_TRUE(options.ok()) << options.error().toStdString();
    EXPECT_EQ(options->driveOptions,
              QStringList({QStringLiteral("E=/media/band"), QStringLiteral("*=k9e:/tmp/img.bin")}));
    EXPECT_EQ(options->screenshotPath, QStringLiteral("shot.png"));
    EXPECT_FALSE(options->updateCheck);
    EXPECT_TRUE(options->quitAfterFirstFrame);
}

TEST(StartupOptions, BadCommandLinesAreRefusedWithAReason)
{
    for (const QStringList& arguments :
         {Args({"--drive"}), Args({"--colour"}), Args({"stray"}), Args({"--screenshot", ""})}) {
        const auto refused = ParseStartupOptions(arguments);
        EXPECT_FALSE(refused.ok()) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(refused.error().isEmpty());
    }
}

} // namespace
} // namespace trek

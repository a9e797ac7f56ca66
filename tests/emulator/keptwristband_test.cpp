// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/keptwristband.h"
#include "emulator/recordwriters.h"
#include "emulator/wristbandstate.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace trek::emu {
namespace {

using Made = Result<std::unique_ptr<PassThroughWristband>>;

StepHistory OneDay()
{
    DaySteps day{QDate(2026, 2, 28), {}};
    day.minutes[600] = 40;
    return {day};
}

std::optional<WristbandModel> ModelOf(const Made& made)
{
    return made ? std::optional((*made)->model()) : std::nullopt;
}

class KeptWristbandTest : public ::testing::Test
{
protected:
    Made make(const QByteArray& image, std::optional<WristbandModel> model,
              UnreadableState unreadable = UnreadableState::Fail) const
    {
        return MakeKeptWristband(path, image, model, {}, unreadable);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("band.img"));
    const QByteArray stream = MakeK9EImage(OneDay());
    const QByteArray memory = MakeK7Image(OneDay()).bytes;
};

TEST_F(KeptWristbandTest, TakesTheGivenModelElseTheKeptOneElseTheOneItsImageLooksLike)
{
    EXPECT_EQ(ModelOf(make(stream, std::nullopt)), WristbandModel::K9E);
    EXPECT_EQ(ModelOf(make(memory, std::nullopt)), WristbandModel::K7);

    PassThroughWristband earlier(WristbandModel::K7, memory);
    earlier.setClockCorrection(7);
    ASSERT_TRUE(SaveWristbandState(path, CaptureState(earlier)).ok());
    const Made kept = make(stream, std::nullopt);
    ASSERT_TRUE(kept.ok()) << kept.error().toStdString();
    EXPECT_EQ((*kept)->model(), WristbandModel::K7);
    EXPECT_EQ((*kept)->clockCorrection(), 7);
    EXPECT_EQ(ModelOf(make(memory, WristbandModel::K9E)), WristbandModel::K9E);
}

TEST_F(KeptWristbandTest, UnreadableStateStopsACommandButNotADrive)
{
    QFile state(WristbandStatePath(path));
    ASSERT_TRUE(state.open(QIODevice::WriteOnly));
    state.write("model=E\nnot a state\n");
    state.close();

    const Made refused = make(stream, WristbandModel::K9E);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().contains(QStringLiteral("cannot be read")));

    const Made fresh = make(stream, WristbandModel::K9E, UnreadableState::StartAfresh);
    ASSERT_TRUE(fresh.ok());
    EXPECT_EQ((*fresh)->settings(), PassThroughWristband(WristbandModel::K9E, {}).settings());
}

} // namespace
} // namespace trek::emu

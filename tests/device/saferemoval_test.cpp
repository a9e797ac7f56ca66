// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/saferemoval.h"
#include "platform/volumeejector.h"
#include "simulatedwristbands.h"

#include <QFileInfo>

namespace trek {
namespace {

class RecordingEjector final : public platform::VolumeEjector
{
public:
    bool available() override { return isAvailable; }
    Result<> unmount(const QString& root) override
    {
        unmounted << root;
        if (!refusal.isEmpty()) {
            return fail(refusal);
        }
        return Result<>{};
    }

    bool isAvailable = true;
    QString refusal;
    QStringList unmounted;
};

class SafeRemovalTest : public test::SimulatedWristbandTest
{
protected:
    void SetUp() override
    {
        SimulatedWristbandTest::SetUp();
        makeFolder(QStringLiteral("e"), {QStringLiteral("20260609.txt")});
        useDrives({QStringLiteral("E=e"),
                   QStringLiteral("F=k9e:") +
                       QFileInfo(makeImage(QStringLiteral("k9e.img"))).fileName()});
        appState().services.ejector = &ejector;
    }
    void connectWristband(char letter, bool passThrough)
    {
        appState().link.driveLetter = letter;
        appState().link.passThrough = passThrough;
    }

    RecordingEjector ejector;
};

TEST_F(SafeRemovalTest, OfferedOnlyForTheConnectedFileModelWristbandWhereVolumesCanBeUnmounted)
{
    // A pass-through wristband has a mounted volume, but took its settings over the commands.
    connectWristband('F', true);
    EXPECT_EQ(*OfferSafeRemoval('F'), SafeRemoval::NotOffered);
    // Not the connected wristband, or no volume behind the letter.
    connectWristband('E', false);
    EXPECT_EQ(*OfferSafeRemoval('F'), SafeRemoval::NotOffered);
    connectWristband('G', false);
    EXPECT_EQ(*OfferSafeRemoval('G'), SafeRemoval::NotOffered);
    // No UDisks2 on this system.
    connectWristband('E', false);
    ejector.isAvailable = false;
    EXPECT_EQ(*OfferSafeRemoval('E'), SafeRemoval::NotOffered);
    appState().services.ejector = nullptr;
    EXPECT_EQ(*OfferSafeRemoval('E'), SafeRemoval::NotOffered);

    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(ejector.unmounted.isEmpty());
}

TEST_F(SafeRemovalTest, UnmountsTheDriveRootOnlyWhenTheUserAgrees)
{
    connectWristband('E', false);
    ui.answer = UserInterface::No;
    EXPECT_EQ(*OfferSafeRemoval('E'), SafeRemoval::Declined);
    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_TRUE(ui.questions[0].startsWith(QStringLiteral("Safely Remove|Unmount Disk-E: (") +
                                           dir.filePath(QStringLiteral("e")) + u')'))
        << ui.questions[0].toStdString();
    EXPECT_TRUE(ejector.unmounted.isEmpty());

    ui.answer = UserInterface::Yes;
    EXPECT_EQ(*OfferSafeRemoval('E'), SafeRemoval::Unmounted);
    EXPECT_EQ(ejector.unmounted, QStringList{dir.filePath(QStringLiteral("e"))});
    EXPECT_EQ(ui.statusTexts, QStringList{QStringLiteral(" >> Disk-E: unmounted, unplug it now")});
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(SafeRemovalTest, RefusedUnmountIsShownAndAnswered)
{
    connectWristband('E', false);
    ejector.refusal = QStringLiteral("Cannot unmount /media/e: target is busy");
    const Result<SafeRemoval> removal = OfferSafeRemoval('E');
    ASSERT_FALSE(removal.ok());
    EXPECT_EQ(removal.error(), ejector.refusal);
    EXPECT_EQ(ui.messages, QStringList{ejector.refusal});
    EXPECT_TRUE(ui.statusTexts.isEmpty());
}

} // namespace
} // namespace trek

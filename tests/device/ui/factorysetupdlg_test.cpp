// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "device/ui/factorysetupdlg.h"
#include "device/ui/ledclockstatic.h"
#include "simulatedwristbands.h"
#include "widgets/colorlabel.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTimer>

namespace trek {
namespace {

// Random numbers as the test says, with the bounds they were asked for.
struct ScriptedRandom
{
    RandomBelow source()
    {
        return [this](int bound) {
            bounds << bound;
            return next;
        };
    }
    int next = 0;
    QList<int> bounds;
};

TEST(StatusColourCycleTest, ChannelsBounceOffTheirEndsWithStepsFromTheInjectedSource)
{
    ScriptedRandom random;
    random.next = 9;
    StatusColourCycle cycle(random.source());
    // Blue climbs 5 a tick: 255 after 51 ticks, over the top at the 52nd.
    for (int tick = 0; tick < 52; ++tick) {
        cycle.Step();
    }
    EXPECT_EQ(cycle.Background(), QColor(52, 156, 255));
    EXPECT_EQ(random.bounds, QList<int>{29}); // one new step, 1 to 29
    cycle.Step();
    EXPECT_EQ(cycle.Background(), QColor(53, 159, 245)); // down by 1 + 9
    EXPECT_EQ(cycle.Text(), QColor(202, 96, 10));

    // At the bottom the new step turns it up again.
    random.next = 0;
    for (int tick = 0; tick < 25; ++tick) {
        cycle.Step();
    }
    EXPECT_EQ(cycle.Background().blue(), 0);
    cycle.Step();
    EXPECT_EQ(cycle.Background().blue(), 1);
}

class FactorySetupDlgTest : public test::SimulatedWristbandTest
{};

TEST_F(FactorySetupDlgTest, ShowsEachStageInItsColoursAndAnimatesOnlyWhileWaiting)
{
    useDrives({QStringLiteral("E=e")});
    ScriptedRandom random;
    CFactorySetupDlg dialog(nullptr, random.source());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Factory Mode"));
    EXPECT_EQ(dialog.DateDisplay()->text(), QStringLiteral("2026-06-10"));
    EXPECT_EQ(dialog.TimeDisplay()->text(), QStringLiteral("14:30:15"));
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("Plug-in DISK, Auto Setup"));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("0"));

    for (int tick = 0; tick < 21; ++tick) {
        dialog.Animate();
    }
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(21, 63, 105));
    EXPECT_EQ(dialog.Status()->TextColor(), QColor(234, 192, 150));
    EXPECT_EQ(dialog.Slider()->value(), 19); // up to 20 and one back

    makeFolder(QStringLiteral("e"), {QStringLiteral("USBWATCH.DAT")});
    table().rescan();
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral(">>> Setup OK, Remove Disk <<<"));
    EXPECT_EQ(dialog.Status()->TextColor(), QColor(Qt::white));
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(0, 180, 0));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.CountLabel()->accessibleName(), QStringLiteral("Wristbands set up: 1"));
    dialog.Animate();
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(0, 180, 0)); // held until it is taken out
    EXPECT_EQ(dialog.Slider()->value(), 18);

    // Out, and in again with a disk that refuses the clock file: red, with the reason.
    QDir(dir.filePath(QStringLiteral("e"))).removeRecursively();
    table().rescan();
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("Plug-in DISK, Auto Setup"));
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(0, 180, 0));
    EXPECT_EQ(dialog.Status()->TextColor(), QColor(Qt::black));
    dialog.Animate();
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(22, 66, 110));
    makeFolder(QStringLiteral("e/CLOCK.TXT"), {});
    dir.write(QStringLiteral("e/USBWATCH.DAT"), {});
    table().rescan();
    EXPECT_EQ(dialog.Status()->text(), QStringLiteral("### Setup failed ###"));
    EXPECT_EQ(dialog.Status()->BkColor(), QColor(250, 10, 10));
    EXPECT_FALSE(dialog.Reason()->isHidden());
    EXPECT_TRUE(dialog.Reason()->text().contains(QStringLiteral("CLOCK.TXT")));
    EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("1"));

    // A screen reader has a name for everything that shows a text.
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (!widget->isHidden()) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
}

TEST_F(FactorySetupDlgTest, OpeningFromThePageRestsDiscoveryAndForgetsTheWristband)
{
    appState().link.driveLetter = 'E';
    bool suspendedWhileOpen = false;
    QTimer::singleShot(0, [&] {
        suspendedWhileOpen = appState().link.discoverySuspended;
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            dialog->close();
        }
    });
    OpenFactorySetup(nullptr);
    EXPECT_TRUE(suspendedWhileOpen);
    EXPECT_FALSE(appState().link.discoverySuspended);
    EXPECT_EQ(appState().link.driveLetter, 0);
    EXPECT_EQ(ui.refreshes, 1);
}

} // namespace
} // namespace trek

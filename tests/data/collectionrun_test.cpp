// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "data/collectionreport.h"
#include "data/collectionrun.h"
#include "datatestsupport.h"
#include "device/rootfiles.h"
#include "emulator/passthroughwristband.h"
#include "emulator/recordwriters.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace trek {
namespace {

using test::MonthBytes;
using test::SlotIndex;
using test::TempDir;

class CollectionRunTest : public test::DataTest
{
protected:
    void PlugFileModel()
    {
        drives.add('F', dir.filePath(QStringLiteral("disk")));
        dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\r\n");
        WristbandLink& link = appState().link;
        link.driveLetter = 'F';
        link.passThrough = false;
    }
    QString ConnectedF() const
    {
        return QStringLiteral("K7") + GetLangText(TextRow::ProgramName) + QStringLiteral(" (F:)");
    }
};

TEST_F(CollectionRunTest, AutoConfirmCollectsWithoutAQuestionAndLeavesTheMarker)
{
    PlugFileModel();
    appState().values.autoConfirm = true;
    const CollectionReport collected = CollectWristband();

    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(storeBytes(2014, 3), MonthBytes({{SlotIndex(1, 10, 0), 5}}));
    EXPECT_FALSE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_EQ(ui.statusTexts, (QStringList{QStringLiteral(" Collecting data from Disk-F:"),
                                           QStringLiteral(" >>> Collecting F: Complete <<<")}));
    EXPECT_EQ(ui.driveLabels, QStringList{ConnectedF()});
    QByteArray marker("F://USBWATCH.DAT");
    marker.resize(MarkerFileLength, '\0');
    EXPECT_EQ(dir.read(QStringLiteral("disk/USBWATCH.DAT")), marker);
    EXPECT_EQ(appState().link.collectingLetter, 0);
    EXPECT_EQ(ui.dataChanged, 2);
    EXPECT_TRUE(collected.collected);
    EXPECT_FALSE(collected.failed());
}

TEST_F(CollectionRunTest, NoAnswerReadsNothingButKeepsAnExistingMarker)
{
    PlugFileModel();
    dir.write(QStringLiteral("disk/usbwatch.dat"), "theirs");
    ui.answer = UserInterface::No;
    (void)CollectWristband();

    ASSERT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.questions[0], GetLangText(TextRow::DataCollection) + u'|' +
                                   GetLangText(TextRow::CollectFromDiskQuestion)
                                       .replace(QStringLiteral("%c"), QStringLiteral("F")));
    EXPECT_TRUE(ui.statusTexts.isEmpty());
    EXPECT_TRUE(dir.exists(QStringLiteral("disk/20140301.txt")));
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
    EXPECT_EQ(dir.read(QStringLiteral("disk/usbwatch.dat")), QByteArray("theirs"));
    EXPECT_FALSE(dir.exists(QStringLiteral("disk/USBWATCH.DAT")));
    EXPECT_EQ(appState().link.collectingLetter, 0);
}

TEST_F(CollectionRunTest, MarkerIsNeverWrittenThroughALinkOrIntoAFifo)
{
    const TempDir outside;
    const QString nowhere = outside.filePath(QStringLiteral("USBWATCH.DAT"));
    const QStringList cases = {QStringLiteral("dangling"), QStringLiteral("fifo"),
                               QStringLiteral("link to fifo")};
    for (const QString& kind : cases) {
        dir.write(QStringLiteral("disk/20140301.txt"), "10:00~10:00 5\r\n");
        const QString marker = QStringLiteral("disk/USBWATCH.DAT");
        QFile::remove(dir.filePath(marker));
        if (kind == QStringLiteral("dangling")) {
            dir.makeLink(marker, nowhere);
        } else if (kind == QStringLiteral("fifo")) {
            dir.makeFifo(marker);
        } else {
            dir.makeLink(marker, outside.makeFifo(QStringLiteral("fifo")));
        }
        PlugFileModel();
        appState().values.autoConfirm = true;
        const CollectionReport collected = CollectWristband();

        EXPECT_FALSE(collected.failed()) << kind.toStdString();
        EXPECT_FALSE(QFileInfo::exists(nowhere)) << kind.toStdString();
        EXPECT_TRUE(kind == QStringLiteral("fifo") ? dir.isFifo(marker)
                                                   : QFileInfo(dir.filePath(marker)).isSymLink())
            << kind.toStdString();
    }
    EXPECT_TRUE(outside.isFifo(QStringLiteral("fifo")));
}

TEST_F(CollectionRunTest, RunStartedAgainWhileCollectingReturnsAtOnce)
{
    PlugFileModel();
    int nested = 0;
    ui.onPump = [&nested] {
        if (nested++ == 0) {
            CollectWristband(); // discovery served from the message pump
        }
    };
    (void)CollectWristband();
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(ui.driveLabels.size(), 1);
    EXPECT_EQ(appState().values.totalSteps, 5);
    EXPECT_EQ(appState().link.collectingLetter, 0);
}

TEST_F(CollectionRunTest, PassThroughWithoutNewDataGoesStraightToTheSettings)
{
    emu::PassThroughWristband device(emu::PassThroughWristband::Model::K9E,
                                     test::K9EBlock(14, 3, 1, 0, {10}, true));
    device.setHasNewData(false);
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;
    WristbandLink& link = appState().link;
    link.driveLetter = '*';
    link.passThrough = true;
    link.modelLetter = 'E';
    link.volume = 1;

    (void)CollectWristband();
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_TRUE(std::none_of(ui.statusTexts.begin(), ui.statusTexts.end(), [](const QString& t) {
        return t.contains(QStringLiteral("Collecting"));
    }));
    EXPECT_EQ(ui.driveLabels.value(0), QStringLiteral("K7") + GetLangText(TextRow::ProgramName));
    EXPECT_EQ(device.recordBlocksRead(), 0);
    EXPECT_FALSE(dir.exists(QStringLiteral("Data")));
}

TEST_F(CollectionRunTest, PassThroughWithNewDataIsAskedAndRead)
{
    emu::PassThroughWristband device(emu::PassThroughWristband::Model::K9E,
                                     test::K9EBlock(14, 3, 1, 0, {10}, true));
    platform::SingleTargetTransport transport(device);
    appState().services.scsi = &transport;
    WristbandLink& link = appState().link;
    link.driveLetter = 'G';
    link.passThrough = true;
    link.hasNewData = true;
    link.modelLetter = 'E';
    link.volume = 1;

    (void)CollectWristband();
    EXPECT_EQ(ui.questions.size(), 1);
    EXPECT_EQ(device.endCollectionCount(), 1);
    EXPECT_FALSE(device.hasNewData());
    EXPECT_EQ(appState().values.totalSteps, 10);
}

// The letter a model answers leads to its reader, which reads what the emulator writes for it.
TEST_F(CollectionRunTest, EveryModelIsReadByTheLetterItAnswers)
{
    appState().values.autoConfirm = true;
    emu::DaySteps day{QDate(2014, 3, 1), {}};
    day.minutes[7 * 60 + 1] = 30;
    day.minutes[7 * 60 + 2] = 12;
    day.minutes[18 * 60 + 59] = 5;
    for (const ModelDescriptor& row : WristbandModels) {
        SCOPED_TRACE(row.name);
        emu::PassThroughWristband device(row.model, emu::MakeRecordImage(row.model, {day}).bytes);
        platform::SingleTargetTransport transport(device);
        appState().services.scsi = &transport;
        WristbandLink& link = appState().link;
        link.driveLetter = 'G';
        link.passThrough = true;
        link.hasNewData = true;
        link.modelLetter = device.modelLetter();
        link.volume = 1;
        const int before = appState().values.totalSteps;

        const CollectionReport collected = CollectWristband();
        EXPECT_FALSE(collected.failed());
        EXPECT_EQ(device.endCollectionCount(), 1);
        EXPECT_EQ(appState().values.totalSteps - before, day.total());
    }
}

} // namespace
} // namespace trek

#include "data/collectionrun.h"

#include "app/appstate.h"
#include "app/lang/langtable.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "device/clockfile.h"
#include "device/collectionhook.h"
#include "device/linkfeedback.h"
#include "device/rootfiles.h"

#include <QFile>

namespace trek {

namespace {

constexpr int QuestionCaptionRow = 21;
constexpr int QuestionTextRow = 22;

QString LetterText(const char* format, char letter)
{
    return QString::asprintf(format, letter);
}

bool UserAgrees(char letter)
{
    if (appState().values.autoConfirm) {
        return true;
    }
    UserInterface* ui = appState().ui;
    if (ui == nullptr) {
        return false; // nobody to ask: nothing is taken without consent
    }
    const QString question =
        FillText(GetLangText(QuestionTextRow), {QString(QChar::fromLatin1(letter))});
    return ui->askYesNo(GetLangText(QuestionCaptionRow), question) == UserInterface::Yes;
}

void ReadRecords(const WristbandLink& link)
{
    if (!link.passThrough) {
        CopyDayFiles(link.driveLetter);
    } else if (link.modelLetter == 'E') {
        ReadK9EBlocks(link.volume);
    } else {
        ReadK7Memory(link.volume);
    }
}

// The wristband looks for this file to know it has met the program; its content is never read.
void EnsureMarkerFile(char letter)
{
    const QString root = DriveRootOf(letter);
    if (root.isEmpty()) {
        return;
    }
    QFile marker(RootFilePath(root, QStringLiteral("USBWATCH.DAT")));
    if (marker.open(QIODevice::ReadOnly)) {
        return;
    }
    QByteArray content = QString::asprintf("%c://USBWATCH.DAT", letter).toLatin1();
    content.resize(MarkerFileLength, '\0');
    // A marker that cannot be written is harmless: discovery still finds the day files.
    if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        marker.write(content);
    }
}

void TakeOverSettings(const WristbandLink& link)
{
    if (link.passThrough) {
        ApplyStatusBlock(StatusBlockKind::Collection);
    } else {
        EnsureMarkerFile(link.driveLetter);
        ReadClockFile(link.driveLetter);
    }
}

} // namespace

void CollectWristband()
{
    WristbandLink& link = appState().link;
    // Messages pumped during the run may start discovery again; it must not collect twice.
    if (link.collectingLetter == link.driveLetter) {
        return;
    }
    const char letter = link.driveLetter;
    ShowDriveLabel(ConnectedLabel(letter));
    link.collectingLetter = letter;
    CurrentCollectionReport() = CollectionReport{};

    // The wristband found at the start is the one read, even if discovery runs meanwhile.
    const WristbandLink found = link;
    const bool offered = !found.passThrough || found.hasNewData;
    if (offered && UserAgrees(letter)) {
        CurrentCollectionReport().collected = true;
        ShowStatus(LetterText(" Collecting data from Disk-%c:", letter));
        PumpMessages();
        ReadRecords(found);
        NotifyDataChanged();
        ShowStatus(LetterText(" >>> Collecting %c: Complete <<<", letter));
        PumpMessages();
    }
    // A wristband pulled out during the run has no settings left to take over.
    if (appState().link.driveLetter == letter) {
        TakeOverSettings(found);
    }
    appState().link.collectingLetter = 0;
    NotifyDataChanged();
}

void InstallCollectionRun()
{
    SetCollectionRun(&CollectWristband);
}

} // namespace trek

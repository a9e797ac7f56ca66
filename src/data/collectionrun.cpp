// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/collectionrun.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/lang/filltext.h"
#include "app/userinterface.h"
#include "data/collectionreport.h"
#include "data/dayfiles.h"
#include "data/passthroughreaders.h"
#include "device/clockfile.h"
#include "device/linklabels.h"
#include "device/rootfiles.h"

namespace trek {

namespace {

QString LetterText(const char* format, char letter)
{
    return QString::asprintf(format, letter);
}

bool UserAgrees(char letter)
{
    if (appState().values.autoConfirm) {
        return true;
    }
    const QString question = FillText(GetLangText(TextRow::CollectFromDiskQuestion),
                                      {QString(QChar::fromLatin1(letter))});
    return user().askYesNo(GetLangText(TextRow::DataCollection), question) == UserInterface::Yes;
}

void ReadRecords(const WristbandLink& link, CollectionReport& report)
{
    if (!link.passThrough) {
        CopyDayFiles(link.driveLetter, report);
    } else {
        ReadPassThroughRecords(modelOfLetter(link.modelLetter), link.volume, report);
    }
}

void TakeOverSettings(const WristbandLink& link)
{
    if (link.passThrough) {
        ApplyStatusBlock(StatusBlockKind::Collection);
    } else {
        // A marker that cannot be written is harmless: discovery still finds the day files.
        (void)EnsureMarkerFile(link.driveLetter);
        ReadClockFile(link.driveLetter);
    }
}

} // namespace

CollectionReport CollectWristband()
{
    WristbandLink& link = appState().link;
    CollectionReport report;
    // Messages pumped during the run may start discovery again; it must not collect twice.
    if (link.collectingLetter == link.driveLetter) {
        return report;
    }
    const char letter = link.driveLetter;
    user().setDriveLabel(ConnectedLabel(letter));
    link.collectingLetter = letter;
    // Pages that act on the wristband grey their buttons for as long as the run holds it.
    user().notifyRefresh();

    // The wristband found at the start is the one read, even if discovery runs meanwhile.
    const WristbandLink found = link;
    const bool offered = !found.passThrough || found.hasNewData;
    if (offered && UserAgrees(letter)) {
        user().setStatusText(LetterText(" Collecting data from Disk-%c:", letter));
        user().pumpMessages();
        ReadRecords(found, report);
        // Day files the ledger took before are only cleared off the disk: nothing new came.
        report.collected = found.passThrough || report.filesImported > 0;
        // The report tab would otherwise keep showing the month it drew before the collection.
        appState().reportCache.Clear();
        user().notifyDataChanged();
        user().setStatusText(LetterText(" >>> Collecting %c: Complete <<<", letter));
        user().pumpMessages();
    }
    // A wristband pulled out during the run has no settings left to take over.
    if (appState().link.driveLetter == letter) {
        TakeOverSettings(found);
    }
    appState().link.collectingLetter = 0;
    user().notifyDataChanged();
    return report;
}

} // namespace trek

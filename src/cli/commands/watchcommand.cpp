// SPDX-License-Identifier: GPL-3.0-or-later
// watch: waits for wristbands and collects each one as it is plugged in, with the same commit as
// the window's collection, printing one line per event. Ends with 0 at SIGTERM, SIGINT or SIGHUP,
// after a collection in progress has finished; 1 when it cannot listen for them.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "data/collectionreport.h"
#include "data/collectionrun.h"
#include "data/stepcounters.h"
#include "device/discovery.h"
#include "platform/drivetable.h"
#include "platform/stoprequests.h"

#include <QDir>
#include <QEventLoop>
#include <QTimer>

namespace trek::cli {

namespace {

QString DriveName(char letter)
{
    return QString(QChar::fromLatin1(letter));
}

void PrintEvent(const QString& event, char letter, const QString& detail = QString())
{
    QString line = event + u'\t' + DriveName(letter);
    if (!detail.isEmpty()) {
        line += u'\t' + detail;
    }
    PrintOut(line);
}

// The collection the discovery starts for every wristband it finds, told as lines.
void CollectAndTell()
{
    const WristbandLink& link = appState().link;
    const char letter = link.driveLetter;
    // Discovery that runs while this wristband is being read finds it again; the run in
    // progress already tells its outcome.
    if (link.collectingLetter == letter) {
        return;
    }
    PrintEvent(QStringLiteral("found"), letter);
    const int stepsBefore = appState().values.totalSteps;
    const CollectionReport report = CollectWristband();
    if (report.failed()) {
        PrintEvent(QStringLiteral("failed"), letter, report.lastError);
    } else if (report.collected) {
        const int gained = WrappingSubtract(appState().values.totalSteps, stepsBefore);
        PrintEvent(QStringLiteral("collected"), letter, QString::number(gained));
    } else {
        PrintEvent(QStringLiteral("unchanged"), letter);
    }
}

// Every wristband that leaves is told, whichever was found last; the roster knows them all.
template <typename Handler, typename... Arguments>
void HandleNotice(Handler handler, Arguments... arguments)
{
    const WristbandRoster before = appState().roster;
    handler(arguments...);
    for (const char letter : appState().roster.LeftSince(before)) {
        PrintEvent(QStringLiteral("removed"), letter);
    }
}

int RunWatch(const NoValues& /*values*/, const CliRequest& /*request*/)
{
    auto stops = platform::catchStopRequests();
    if (!stops) {
        PrintError(stops.error());
        return ExitFailed;
    }
    QuietTerminalUi ui;
    appState().ui = &ui;
    // Nobody is there to answer: the question is taken as confirmed.
    appState().values.autoConfirm = true;
    appState().hooks.collectionRun = CollectAndTell;

    QEventLoop loop;
    // A stop that comes while a wristband is read lets the loop end once the reading has
    // returned to it: the collection finishes and commits, or, if the process is killed
    // meanwhile, its journal leaves nothing applied.
    QObject::connect(stops->get(), &platform::StopRequests::stopRequested, &loop,
                     [&loop](int /*signalNumber*/) { loop.exit(ExitSuccess); });
    if (platform::DriveTable* drives = appState().services.drives) {
        QObject::connect(drives, &platform::DriveTable::volumeArrived, &loop,
                         [](std::uint32_t mask) { HandleNotice(OnVolumeArrival, mask); });
        QObject::connect(drives, &platform::DriveTable::volumeRemoved, &loop,
                         [](std::uint32_t mask) { HandleNotice(OnVolumeRemoval, mask); });
        QObject::connect(drives, &platform::DriveTable::devicesChanged, &loop,
                         [] { HandleNotice(OnDeviceChange); });
    }
    PrintOut(QStringLiteral("watching\t") + QDir::toNativeSeparators(appState().workingFolder));
    // Inside the loop, so that a stop during this first look is not lost before the loop runs.
    QTimer::singleShot(0, &loop, &DiscoverWristband);
    const int status = loop.exec();

    ResetLink();
    appState().hooks.collectionRun = nullptr;
    appState().ui = nullptr;
    PrintOut(QStringLiteral("stopped"));
    return status;
}

} // namespace

QList<CliCommand> WatchCommand()
{
    return {Row(CommandRow<NoValues>{
        .words = {QStringLiteral("watch")},
        .help = QStringLiteral(
            "Waits for wristbands and collects each one as it is plugged in, as collect does,\n"
            "printing one line per event: \"watching<TAB>FOLDER\", \"found<TAB>L\",\n"
            "\"collected<TAB>L<TAB>STEPS\", \"unchanged<TAB>L\", \"failed<TAB>L<TAB>REASON\",\n"
            "\"removed<TAB>L\" and \"stopped\". SIGTERM, SIGINT or SIGHUP end it with 0 once a\n"
            "collection in progress has finished."),
        .needs = CliNeeds::WorkingFolder,
        .run = RunWatch,
    })};
}

} // namespace trek::cli

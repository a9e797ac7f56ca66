// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli: the collection and the store without a window, for scripts, tests and machines
// without a display.

#include "app/appstate.h"
#include "app/programversion.h"
#include "app/settingstable.h"
#include "app/startup.h"
#include "app/workingfolder.h"
#include "cli/cliarguments.h"
#include "cli/clicommands.h"
#include "cli/factorycommand.h"
#include "cli/missioncommands.h"
#include "cli/optioncommands.h"
#include "cli/personalcommands.h"
#include "cli/reportcommands.h"
#include "cli/terminalui.h"
#include "cli/timesetcommands.h"
#include "cli/trendcommands.h"
#include "cli/updatecommands.h"
#include "cli/watchcommand.h"
#include "data/storelock.h"
#include "platform/platform.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace trek;
using namespace trek::cli;

namespace {

using Command = CliRequest::Command;

// Commands that change the settings file; on a folder without one they make the folder and the
// file as a first start would, so that a fresh installation can be set up from the terminal.
bool WritesSettings(Command command)
{
    return command == Command::PersonalSet || command == Command::OptionsSet ||
           command == Command::MissionStart || command == Command::MissionStop;
}

// Commands that read the store or speak the language and units of the settings file. Without a
// settings file nothing was collected into the folder (or it is not the working folder meant),
// so nothing is read or changed in it.
bool ReadsTheStore(Command command)
{
    return command == Command::ReportMonth || command == Command::ReportWeek ||
           command == Command::ReportDay || command == Command::Summary ||
           command == Command::Delete || command == Command::Sleep ||
           command == Command::TrendSteps || command == Command::TrendSleep ||
           command == Command::PersonalShow || command == Command::MissionShow ||
           command == Command::OptionsShow || command == Command::ExportCsv ||
           command == Command::UpdateCheck || command == Command::UpdateDownload;
}

// The Maintain tab's work: the wristband and the settings file's language, not the store.
bool WorksOnTheWristband(Command command)
{
    return command == Command::TimeSet || command == Command::ClockCheck;
}

bool NeedsWorkingFolder(Command command)
{
    return command == Command::Collect || command == Command::Watch ||
           command == Command::Factory || WritesSettings(command) || ReadsTheStore(command) ||
           WorksOnTheWristband(command);
}

bool HasSettingsFile(const QString& workdir)
{
    return QFileInfo(SettingsFilePath(workdir)).isFile();
}

// The folder named on the command line, else the default one, which only a command that may
// write there creates.
Result<QString> ChosenWorkingFolder(const CliRequest& request)
{
    if (!request.workdir.isEmpty()) {
        return QDir(request.workdir).absolutePath();
    }
    if (ReadsTheStore(request.command)) {
        return ChooseWorkingFolder(CurrentWorkingFolderFacts());
    }
    return DefaultWorkingFolder();
}

void PrintNothingCollected(const QString& workdir)
{
    const QString missing = QFileInfo(workdir).isDir()
                                ? QStringLiteral("it holds no settings file Trekkomat2.INI")
                                : QStringLiteral("it does not exist");
    PrintError(QStringLiteral("Nothing was collected into the working folder %1 yet (%2). To "
                              "begin, enter your body data with \"trekkomat-cli personal set\", "
                              "then plug in the wristband and run \"trekkomat-cli collect\".")
                   .arg(QDir::toNativeSeparators(workdir), missing));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trekkomat-cli"));

    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.contains(QStringLiteral("--version"))) {
        (void)std::puts(qUtf8Printable(VersionLine()));
        return ExitSuccess;
    }
    const Result<CliRequest> parsed = ParseCliArguments(arguments);
    if (!parsed) {
        PrintError(parsed.error());
        return ExitUsage;
    }
    const CliRequest& request = *parsed;
    if (request.command == CliRequest::Command::Help) {
        (void)std::fputs(request.helpText.toUtf8().constData(), stdout);
        return ExitSuccess;
    }

    // The emulator commands make wristbands; only the others work on a working folder.
    std::unique_ptr<platform::Platform> platform;
    if (NeedsWorkingFolder(request.command)) {
        const Result<QString> workdir = ChosenWorkingFolder(request);
        if (!workdir) {
            PrintError(workdir.error());
            return ExitFailed;
        }
        const bool firstUse = WritesSettings(request.command) && !HasSettingsFile(*workdir);
        if (firstUse) {
            if (const Result<> made = platform::makePrivateFolders(*workdir); !made) {
                PrintError(QStringLiteral("Cannot create the working folder %1: %2")
                               .arg(QDir::toNativeSeparators(*workdir), made.error()));
                return ExitFailed;
            }
        }
        // A folder named on the command line that is not there is most likely mistyped; the
        // default one is simply not made yet.
        const bool defaultFolder = request.workdir.isEmpty() && ReadsTheStore(request.command);
        if (!QFileInfo(*workdir).isDir() && !defaultFolder) {
            PrintError(QStringLiteral("The working folder %1 does not exist.")
                           .arg(QDir::toNativeSeparators(*workdir)));
            return ExitUsage;
        }
        if (ReadsTheStore(request.command) && !HasSettingsFile(*workdir)) {
            PrintNothingCollected(*workdir);
            return ExitUsage;
        }
        auto created = platform::createPlatform(request.drives, nullptr, RunClock(request));
        if (!created) {
            PrintError(created.error());
            return ExitUsage;
        }
        platform = std::move(*created);
        appState().services = platform->services();
        StartUp(*workdir);
        if (firstUse) {
            if (const Result<> written = WriteStartSettings(); !written) {
                PrintError(written.error());
                return ExitFailed;
            }
        }
        // Not fatal here: a collection tells the same reason and reads nothing. The Maintain
        // tab's commands leave the store alone.
        if (!WorksOnTheWristband(request.command)) {
            if (const Result<> prepared = PrepareWorkingFolder(); !prepared) {
                PrintError(prepared.error());
            }
        }
    }
    // Every reader of the PC's clock sees the same moment: clock files, blocks and drifts are
    // exact.
    appState().hooks.localClock = RunClock(request);

    switch (request.command) {
    case CliRequest::Command::Collect: {
        TerminalUi ui;
        appState().ui = &ui;
        const int status = RunCollect();
        appState().ui = nullptr;
        return status;
    }
    case Command::Watch:
        return RunWatch();
    case CliRequest::Command::ExportCsv:
        return RunExportCsv(request);
    case CliRequest::Command::MakeDisk:
        return RunMakeDisk(request);
    case CliRequest::Command::MakeImage:
        return RunMakeImage(request);
    case Command::ReportMonth:
    case Command::ReportWeek:
    case Command::ReportDay:
        return RunReport(request);
    case Command::Summary:
        return RunSummary(request);
    case Command::Delete:
        return RunDelete(request);
    case Command::Sleep:
        return RunSleep(request);
    case Command::TrendSteps:
        return RunTrendSteps(request);
    case Command::TrendSleep:
        return RunTrendSleep(request);
    case Command::PersonalShow:
        return RunPersonalShow(request);
    case Command::PersonalSet:
        return RunPersonalSet(request);
    case Command::MissionShow:
        return RunMissionShow(request);
    case Command::MissionStart:
        return RunMissionStart(request);
    case Command::MissionStop:
        return RunMissionStop(request);
    case Command::OptionsShow:
        return RunOptionsShow(request);
    case Command::OptionsSet:
        return RunOptionsSet(request);
    case Command::TimeSet:
        return RunTimeSet(request);
    case Command::ClockCheck:
        return RunClockCheck();
    case Command::SetClock:
        return RunSetClock(request);
    case Command::ShowStatus:
        return RunShowStatus(request);
    case Command::Factory:
        return RunFactory(request);
    case Command::UpdateCheck:
    case Command::UpdateDownload:
        return RunUpdate(request);
    case CliRequest::Command::Help:
        break;
    }
    return ExitSuccess;
}

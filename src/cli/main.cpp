// trekkomat-cli: the collection and the store without a window, for scripts, tests and machines
// without a display.

#include "app/appstate.h"
#include "app/programversion.h"
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
#include "cli/updatecommands.h"
#include "cli/watchcommand.h"
#include "data/storelock.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace trek;
using namespace trek::cli;

namespace {

using Command = CliRequest::Command;

bool ShowsTheStore(Command command)
{
    return command == Command::ReportMonth || command == Command::ReportWeek ||
           command == Command::ReportDay || command == Command::Summary ||
           command == Command::Delete || command == Command::Sleep ||
           command == Command::PersonalShow || command == Command::PersonalSet ||
           command == Command::MissionShow || command == Command::MissionStart ||
           command == Command::MissionStop || command == Command::OptionsShow ||
           command == Command::OptionsSet || command == Command::UpdateCheck ||
           command == Command::UpdateDownload;
}

// The Maintain tab's work: the wristband and the settings file's language, not the store.
bool WorksOnTheWristband(Command command)
{
    return command == Command::TimeSet || command == Command::ClockCheck;
}

// The reports speak the language and units of a settings file; without one the folder is
// most likely not the working folder meant, and nothing is read or changed in it.
bool HasSettingsFile(const QString& workdir)
{
    if (QFileInfo(SettingsFilePath(workdir)).isFile()) {
        return true;
    }
    PrintError(QStringLiteral("The working folder %1 holds no settings file Trekkomat2.INI.")
                   .arg(QDir::toNativeSeparators(workdir)));
    return false;
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
        (void)std::fputs(CliHelpText().toUtf8().constData(), stdout);
        return ExitSuccess;
    }

    // The emulator commands make wristbands; only the others work on a working folder.
    std::unique_ptr<platform::Platform> platform;
    if (request.command == Command::Collect || request.command == Command::Watch ||
        request.command == Command::ExportCsv || request.command == Command::Factory ||
        ShowsTheStore(request.command) || WorksOnTheWristband(request.command)) {
        QString workdir = request.workdir;
        if (workdir.isEmpty()) {
            const Result<QString> chosen = DefaultWorkingFolder();
            if (!chosen) {
                PrintError(chosen.error());
                return ExitFailed;
            }
            workdir = *chosen;
        }
        if (!QFileInfo(workdir).isDir()) {
            PrintError(QStringLiteral("The working folder %1 does not exist.")
                           .arg(QDir::toNativeSeparators(workdir)));
            return ExitUsage;
        }
        if (ShowsTheStore(request.command) && !HasSettingsFile(QDir(workdir).absolutePath())) {
            return ExitUsage;
        }
        auto created = platform::createPlatform(request.drives, nullptr, RunClock(request));
        if (!created) {
            PrintError(created.error());
            return ExitUsage;
        }
        platform = std::move(*created);
        appState().services = platform->services();
        StartUp(QDir(workdir).absolutePath());
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
        return RunSummary();
    case Command::Delete:
        return RunDelete(request);
    case Command::Sleep:
        return RunSleep(request);
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
        return RunOptionsShow();
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

// trekkomat-cli: the collection and the store without a window, for scripts, tests and machines
// without a display.

#include "app/appstate.h"
#include "app/startup.h"
#include "cli/cliarguments.h"
#include "cli/clicommands.h"
#include "cli/terminalui.h"
#include "data/storelock.h"
#include "platform/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace trek;
using namespace trek::cli;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trekkomat-cli"));

    const Result<CliRequest> parsed = ParseCliArguments(QCoreApplication::arguments().mid(1));
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
    if (request.command == CliRequest::Command::Collect ||
        request.command == CliRequest::Command::ExportCsv) {
        const QString workdir = request.workdir.isEmpty() ? QDir::currentPath() : request.workdir;
        if (!QFileInfo(workdir).isDir()) {
            PrintError(QStringLiteral("The working folder %1 does not exist.")
                           .arg(QDir::toNativeSeparators(workdir)));
            return ExitUsage;
        }
        auto created = platform::createPlatform(request.drives);
        if (!created) {
            PrintError(created.error());
            return ExitUsage;
        }
        platform = std::move(*created);
        appState().services = platform->services();
        StartUp(QDir(workdir).absolutePath());
        // Not fatal here: a collection tells the same reason and reads nothing.
        if (const Result<> prepared = PrepareWorkingFolder(); !prepared) {
            PrintError(prepared.error());
        }
    }

    switch (request.command) {
    case CliRequest::Command::Collect: {
        TerminalUi ui;
        appState().ui = &ui;
        const int status = RunCollect();
        appState().ui = nullptr;
        return status;
    }
    case CliRequest::Command::ExportCsv:
        return RunExportCsv(request);
    case CliRequest::Command::MakeDisk:
        return RunMakeDisk(request);
    case CliRequest::Command::MakeImage:
        return RunMakeImage(request);
    case CliRequest::Command::Help:
        break;
    }
    return ExitSuccess;
}

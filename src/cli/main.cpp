// SPDX-License-Identifier: GPL-3.0-or-later
// trekkomat-cli: the collection and the store without a window, for scripts, tests and machines
// without a display.

#include "app/appstate.h"
#include "app/programversion.h"
#include "app/settingstable.h"
#include "app/startup.h"
#include "app/workingfolder.h"
#include "cli/cliarguments.h"
#include "cli/terminalui.h"
#include "data/storelock.h"
#include "platform/platform.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace trek;
using namespace trek::cli;

namespace {

bool HasSettingsFile(const QString& workdir)
{
    return QFileInfo(SettingsFilePath(workdir)).isFile();
}

// The folder named on the command line, else the default one, which only a command that may
// write there creates.
Result<QString> ChosenWorkingFolder(CliNeeds needs, const CliRequest& request)
{
    if (!request.workdir.isEmpty()) {
        return QDir(request.workdir).absolutePath();
    }
    if (needs == CliNeeds::SettingsFile) {
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

// The working folder, the drives and the settings as the command needs them; ExitSuccess, or
// the exit status after the reason was told.
int SetUp(CliNeeds needs, const CliRequest& request, std::unique_ptr<platform::Platform>& platform)
{
    if (needs == CliNeeds::Nothing) {
        return ExitSuccess;
    }
    const Result<QString> workdir = ChosenWorkingFolder(needs, request);
    if (!workdir) {
        PrintError(workdir.error());
        return ExitFailed;
    }
    const bool firstUse = needs == CliNeeds::FirstUseSettings && !HasSettingsFile(*workdir);
    if (firstUse) {
        if (const Result<> made = platform::makePrivateFolders(*workdir); !made) {
            PrintError(QStringLiteral("Cannot create the working folder %1: %2")
                           .arg(QDir::toNativeSeparators(*workdir), made.error()));
            return ExitFailed;
        }
    }
    // A folder named on the command line that is not there is most likely mistyped; the
    // default one is simply not made yet.
    const bool defaultFolder = request.workdir.isEmpty() && needs == CliNeeds::SettingsFile;
    if (!QFileInfo(*workdir).isDir() && !defaultFolder) {
        PrintError(QStringLiteral("The working folder %1 does not exist.")
                       .arg(QDir::toNativeSeparators(*workdir)));
        return ExitUsage;
    }
    if (needs == CliNeeds::SettingsFile && !HasSettingsFile(*workdir)) {
        PrintNothingCollected(*workdir);
        return ExitUsage;
    }
    auto created = platform::createPlatform(request.drives, nullptr, request.clock());
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
    // Not fatal here: a collection tells the same reason and reads nothing. The Maintain tab's
    // commands leave the store alone.
    if (needs != CliNeeds::Wristband) {
        if (const Result<> prepared = PrepareWorkingFolder(); !prepared) {
            PrintError(prepared.error());
        }
    }
    return ExitSuccess;
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
    const Result<CliInvocation> parsed = ParseCliArguments(arguments);
    if (!parsed) {
        PrintError(parsed.error());
        return ExitUsage;
    }
    if (parsed->help()) {
        (void)std::fputs(parsed->helpText.toUtf8().constData(), stdout);
        return ExitSuccess;
    }
    std::unique_ptr<platform::Platform> platform;
    if (const int status = SetUp(parsed->command->needs, parsed->request, platform);
        status != ExitSuccess) {
        return status;
    }
    // Every reader of the PC's clock sees the same moment: clock files, blocks and drifts are
    // exact.
    appState().hooks.localClock = parsed->request.clock();
    return parsed->run();
}

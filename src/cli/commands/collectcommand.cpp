// SPDX-License-Identifier: GPL-3.0-or-later
// collect: the wristband's records into the store, without a question.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "data/collectionreport.h"
#include "data/collectionrun.h"
#include "data/stepcounters.h"
#include "device/discovery.h"

namespace trek::cli {

namespace {

QString Counted(int count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

int Collect()
{
    // Nobody is there to answer: the question is taken as confirmed.
    appState().values.autoConfirm = true;
    const int stepsBefore = appState().values.totalSteps;
    const int minutesBefore = appState().values.totalPeriod;
    CollectionReport report;
    appState().hooks.collectionRun = [&report] {
        report = CollectWristband();
    };
    DiscoverWristband();
    appState().hooks.collectionRun = nullptr;

    const bool found = appState().link.driveLetter != 0;
    ReleaseLinkVolume();
    if (!found) {
        PrintError(QStringLiteral("### Not found Stepo-Disk ###"));
        return ExitFailed;
    }
    // What is stored stays stored, even when a later part of the run failed.
    const SettingsValues& values = appState().values;
    PrintOut(
        QStringLiteral("Stored %1 in %2 over %3.")
            .arg(Counted(WrappingSubtract(values.totalSteps, stepsBefore), "step", "steps"),
                 Counted(WrappingSubtract(values.totalPeriod, minutesBefore), "minute", "minutes"),
                 Counted(report.daysStored, "day", "days")));
    if (report.failed()) {
        PrintError(QStringLiteral("The collection did not complete: %1").arg(report.lastError));
        return ExitFailed;
    }
    return ExitSuccess;
}

int RunCollect(const NoValues& /*values*/, const CliRequest& /*request*/)
{
    TerminalUi ui;
    appState().ui = &ui;
    const int status = Collect();
    appState().ui = nullptr;
    return status;
}

} // namespace

QList<CliCommand> CollectCommand()
{
    return {Row(CommandRow<NoValues>{
        .words = {QStringLiteral("collect")},
        .help = QStringLiteral(
            "Finds the wristband and collects its records into the store without asking;\n"
            "prints the status lines, then \"Stored N steps in M minutes over D days.\". Fails\n"
            "when no wristband is found, a day file could not be imported, or a reading\n"
            "could not be completed."),
        .needs = CliNeeds::WorkingFolder,
        .run = RunCollect,
    })};
}

} // namespace trek::cli

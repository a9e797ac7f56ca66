// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clicommands.h"

#include "app/appstate.h"
#include "cli/terminalui.h"
#include "data/collectionreport.h"
#include "data/collectionrun.h"
#include "data/csvexport.h"
#include "data/stepcounters.h"
#include "device/discovery.h"
#include "emulator/filemodelwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordimage.h"
#include "emulator/recordwriters.h"
#include "platform/wristbandmodels.h"

#include <QDir>
#include <cstdio>

namespace trek::cli {

namespace {

emu::StepHistory GenerateHistory(const CliRequest& request)
{
    const QDate end = request.end.isValid() ? request.end : QDate::currentDate();
    return emu::RecordGenerator(request.seed).generate(request.days, end);
}

int TotalSteps(const emu::StepHistory& history)
{
    int total = 0;
    for (const emu::DaySteps& day : history) {
        total += day.total();
    }
    return total;
}

QString Counted(int count, const char* one, const char* many)
{
    return QString::number(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

} // namespace

int RunCollect()
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

int RunExportCsv(const CliRequest& request)
{
    // Whole lines are buffered; the stream is flushed once at the end.
    QByteArray buffer;
    const auto flush = [&buffer] {
        // A short write leaves the stream in error, which the final fflush reports.
        (void)std::fwrite(buffer.constData(), 1, static_cast<std::size_t>(buffer.size()), stdout);
        buffer.clear();
    };
    const Result<> result =
        ExportCsv(appState().workingFolder, {request.from, request.to, request.allMinutes},
                  [&](const QString& line) {
                      buffer += line.toUtf8();
                      buffer += '\n';
                      if (buffer.size() > 1 << 16) {
                          flush();
                      }
                  });
    flush();
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        PrintError(QStringLiteral("The lines could not be written to standard output."));
        return ExitFailed;
    }
    if (!result) {
        PrintError(result.error());
        return ExitFailed;
    }
    return ExitSuccess;
}

int RunMakeDisk(const CliRequest& request)
{
    const emu::StepHistory history = GenerateHistory(request);
    emu::FileModelWristband wristband(QDir(request.target).absolutePath());
    const QString error =
        wristband.makeDisk(history, request.kind == QStringLiteral("kdx") ? emu::DayFileKind::Kdx
                                                                          : emu::DayFileKind::Text);
    if (!error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("Made a wristband disk in %1: %2 %3 day files, %4 steps.")
                 .arg(QDir::toNativeSeparators(wristband.root()))
                 .arg(history.size())
                 .arg(request.kind)
                 .arg(TotalSteps(history)));
    return ExitSuccess;
}

int RunMakeImage(const CliRequest& request)
{
    // The command line lets only the models' words through.
    const WristbandModel model = modelOfWord(request.kind).value_or(FallbackModel);
    const QString name = QLatin1String(describeModel(model).name);
    const emu::StepHistory history = GenerateHistory(request);
    const emu::ModelImage image = emu::MakeRecordImage(model, history);
    QString note;
    if (image.hoursDropped > 0) {
        note = QStringLiteral(" %1 hours with steps did not fit into the %2 memory.")
                   .arg(image.hoursDropped)
                   .arg(name);
    }
    if (const QString error = emu::SaveRecordImage(request.target, image.bytes); !error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("Wrote a %1 record image to %2: %3 blocks for %4 days, %5 steps.%6")
                 .arg(name, QDir::toNativeSeparators(request.target))
                 .arg(emu::BlockCount(image.bytes))
                 .arg(history.size())
                 .arg(TotalSteps(history))
                 .arg(note));
    return ExitSuccess;
}

} // namespace trek::cli

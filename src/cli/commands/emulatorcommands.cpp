// SPDX-License-Identifier: GPL-3.0-or-later
// emulate make-disk|make-image: wristbands with a generated history, for tests and the demo.

#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "emulator/filemodelwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordimage.h"
#include "emulator/recordwriters.h"
#include "platform/wristbandmodels.h"

#include <QDir>

namespace trek::cli {

namespace {

// The longest history the generator is asked for; a larger number is a typing error.
constexpr int MaxDays = 3660;

struct HistoryValues
{
    QString target; // the disk folder or the image file
    QString kind;   // "text" / "kdx" for a disk, "k7" / "k9e" for an image
    std::uint64_t seed = 1;
    QDate end; // null: today
    int days = 0;
};

emu::StepHistory GenerateHistory(const HistoryValues& values)
{
    const QDate end = values.end.isValid() ? values.end : QDate::currentDate();
    return emu::RecordGenerator(values.seed).generate(values.days, end);
}

int TotalSteps(const emu::StepHistory& history)
{
    int total = 0;
    for (const emu::DaySteps& day : history) {
        total += day.total();
    }
    return total;
}

Result<> DefaultDiskKind(HistoryValues& values)
{
    if (values.kind.isEmpty()) {
        values.kind = QStringLiteral("text");
    }
    return {};
}

int RunMakeDisk(const HistoryValues& values, const CliRequest& /*request*/)
{
    const emu::StepHistory history = GenerateHistory(values);
    emu::FileModelWristband wristband(QDir(values.target).absolutePath());
    const QString error =
        wristband.makeDisk(history, values.kind == QStringLiteral("kdx") ? emu::DayFileKind::Kdx
                                                                         : emu::DayFileKind::Text);
    if (!error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("Made a wristband disk in %1: %2 %3 day files, %4 steps.")
                 .arg(QDir::toNativeSeparators(wristband.root()))
                 .arg(history.size())
                 .arg(values.kind)
                 .arg(TotalSteps(history)));
    return ExitSuccess;
}

int RunMakeImage(const HistoryValues& values, const CliRequest& /*request*/)
{
    // The command line lets only the models' words through.
    const WristbandModel model = modelOfWord(values.kind).value_or(FallbackModel);
    const QString name = QLatin1String(describeModel(model).name);
    const emu::StepHistory history = GenerateHistory(values);
    const emu::ModelImage image = emu::MakeRecordImage(model, history);
    QString note;
    if (image.hoursDropped > 0) {
        note = QStringLiteral(" %1 hours with steps did not fit into the %2 memory.")
                   .arg(image.hoursDropped)
                   .arg(name);
    }
    if (const QString error = emu::SaveRecordImage(values.target, image.bytes); !error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("Wrote a %1 record image to %2: %3 blocks for %4 days, %5 steps.%6")
                 .arg(name, QDir::toNativeSeparators(values.target))
                 .arg(emu::BlockCount(image.bytes))
                 .arg(history.size())
                 .arg(TotalSteps(history))
                 .arg(note));
    return ExitSuccess;
}

// The generated history of both commands.
QList<Option<HistoryValues>> HistoryOptions()
{
    return {Required(NumberOption(QStringLiteral("--days"), QStringLiteral("N"),
                                  &HistoryValues::days, 1, MaxDays)),
            UnsignedOption(QStringLiteral("--seed"), QStringLiteral("S"), &HistoryValues::seed),
            DateOption(QStringLiteral("--end"), &HistoryValues::end)};
}

} // namespace

QList<CliCommand> EmulatorCommands()
{
    QList<Option<HistoryValues>> diskOptions = HistoryOptions();
    diskOptions.insert(1, ChoiceOption(QStringLiteral("--kind"),
                                       {QStringLiteral("text"), QStringLiteral("kdx")},
                                       &HistoryValues::kind));
    return {
        Row(CommandRow<HistoryValues>{
            .words = {QStringLiteral("emulate"), QStringLiteral("make-disk")},
            .arguments = {TextArgument(QStringLiteral("DIR"), &HistoryValues::target)},
            .options = diskOptions,
            .check = DefaultDiskKind,
            .wrongArguments = QStringLiteral("emulate make-disk needs exactly one folder."),
            .help = QStringLiteral(
                "Makes the folder DIR a file-model wristband's disk with N days of generated\n"
                "day files (text by default) ending on the given day (default: today)."),
            .run = RunMakeDisk,
        }),
        Row(CommandRow<HistoryValues>{
            .words = {QStringLiteral("emulate"), QStringLiteral("make-image")},
            .arguments = {ChoiceArgument(modelWords(), &HistoryValues::kind),
                          TextArgument(QStringLiteral("FILE"), &HistoryValues::target)},
            .options = HistoryOptions(),
            .wrongArguments = QStringLiteral("emulate make-image needs a model (%1) and one file.")
                                  .arg(Alternatives(modelWords())),
            .help = QStringLiteral(
                "Writes a pass-through wristband's record image with N days of generated steps."),
            .run = RunMakeImage,
        }),
    };
}

} // namespace trek::cli

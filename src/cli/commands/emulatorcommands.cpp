// SPDX-License-Identifier: GPL-3.0-or-later
// emulate make-disk|make-image: wristbands with a generated history, for tests and the demo.

#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "emulator/filemodelwristband.h"
#include "emulator/recordgenerator.h"
#include "emulator/recordimage.h"
#include "emulator/recordwriters.h"

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
    const emu::StepHistory history = GenerateHistory(values);
    QByteArray bytes;
    QString note;
    if (values.kind == QStringLiteral("k7")) {
        const emu::K7Image image = emu::MakeK7Image(history);
        bytes = image.bytes;
        if (image.hoursDropped > 0) {
            note = QStringLiteral(" %1 hours with steps did not fit into the K7 memory.")
                       .arg(image.hoursDropped);
        }
    } else {
        bytes = emu::MakeK9EImage(history);
    }
    if (const QString error = emu::SaveRecordImage(values.target, bytes); !error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("Wrote a %1 record image to %2: %3 blocks for %4 days, %5 steps.%6")
                 .arg(values.kind.toUpper(), QDir::toNativeSeparators(values.target))
                 .arg(emu::BlockCount(bytes))
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
            .arguments = {ChoiceArgument({QStringLiteral("k7"), QStringLiteral("k9e")},
                                         &HistoryValues::kind),
                          TextArgument(QStringLiteral("FILE"), &HistoryValues::target)},
            .options = HistoryOptions(),
            .wrongArguments =
                QStringLiteral("emulate make-image needs a model (k7 or k9e) and one file."),
            .help = QStringLiteral(
                "Writes a pass-through wristband's record image with N days of generated steps."),
            .run = RunMakeImage,
        }),
    };
}

} // namespace trek::cli

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clicommandtable.h"

#include "cli/commands/commandlist.h"
#include "platform/wristbandmodels.h"

namespace trek::cli {

const QList<CliOption>& GlobalCliOptions()
{
    static const QList<CliOption> options{
        Erased(
            TextOption(QStringLiteral("--workdir"), QStringLiteral("DIR"), &CliRequest::workdir)),
        Erased(ListOption(QStringLiteral("--drive"), QStringLiteral("LETTER=SOURCE"),
                          &CliRequest::drives)),
        Erased(DateTimeOption(QStringLiteral("--now"), &CliRequest::now))};
    return options;
}

const QList<CliCommand>& CliCommands()
{
    static const QList<CliCommand> commands = CommandList();
    return commands;
}

namespace {

// The --drive lines of the emulated wristbands: one per model, and the last one without a letter.
QString EmulatedDriveHelp()
{
    const auto line = [](const QString& form, const QString& text) -> QString {
        constexpr qsizetype FormWidth = 13;
        return QStringLiteral("                    ") + form.leftJustified(FormWidth) + text +
               QLatin1Char('\n');
    };
    QString lines;
    for (const ModelDescriptor& row : WristbandModels) {
        lines += line(QStringLiteral("F=%1:IMAGE").arg(QLatin1String(row.word)),
                      QStringLiteral("an emulated %1 wristband with this record image")
                          .arg(QLatin1String(row.name)));
    }
    return lines +
           line(QStringLiteral("*=%1:IMAGE").arg(QLatin1String(WristbandModels.back().word)),
                QStringLiteral("the same, found as a disk without a drive letter"));
}

} // namespace

QString CliHelpHead()
{
    const QString head = QStringLiteral(
        "Usage: trekkomat-cli [--workdir DIR] [--drive LETTER=SOURCE]... [--now TIME] COMMAND "
        "[OPTIONS]\n"
        "\n"
        "Takes the step records off a wristband into the monthly store of a working folder and\n"
        "reads them back out, as CSV or as the Report and DayLife tabs and the sleep analysis\n"
        "show them, without a window. The reports, the summary, sleep, trend, delete, export\n"
        "and the show commands need the folder's settings file and speak its language and units;\n"
        "personal set, options set and mission start|stop make the folder and the file\n"
        "with the start-up defaults when there is none. COMMAND --help shows one command.\n"
        "\n"
        "Global options:\n"
        "  --workdir DIR   the working folder: settings file, Data and Trekkomat2 folders\n"
        "                  (default: the current folder; for an installed program\n"
        "                  $XDG_DATA_HOME/trekkomat, the window's folder)\n"
        "  --drive LETTER=SOURCE\n"
        "                  a simulated drive instead of the machine's drives; may be repeated:\n"
        "                    E=DIR        the folder DIR is the root of removable drive E:\n"
        "%1"
        "  --now \"YYYY-MM-DD HH:MM:SS\"\n"
        "                  the PC's local time for the whole run, for the clock file, the\n"
        "                  settings block, the drift and the emulated wristbands' clocks\n"
        "  -h, --help      this text\n"
        "  --version       the program's name and version\n");
    return head.arg(EmulatedDriveHelp());
}

QString CliHelpTail()
{
    return QStringLiteral("Exit status: 0 success, 1 the work failed, 2 the command line was "
                          "wrong.\n");
}

} // namespace trek::cli

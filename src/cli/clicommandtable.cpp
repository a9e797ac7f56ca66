// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clicommandtable.h"

#include "app/lang/languages.h"
#include "app/useroptions.h"
#include "cli/personalcommandtable.h"
#include "reports/sleepwindow.h"

#include <QRegularExpression>

namespace trek::cli {

namespace {

using Command = CliRequest::Command;

// The longest history the generator is asked for; a larger number is a typing error.
constexpr int MaxDays = 3660;
// More wristbands or seconds than a working day could see are a typing error.
constexpr int MaxFactoryCount = 100000;
constexpr int MaxFactoryTimeout = 7 * 24 * 3600;

QString ExportFormats()
{
    return QStringLiteral("The command export knows one format: export csv.");
}

Result<> CheckExportRange(CliRequest& request)
{
    if (request.from.isValid() && request.to.isValid() && request.from > request.to) {
        return fail(QStringLiteral("The date of --from lies after the date of --to."));
    }
    return {};
}

Result<> DefaultDiskKind(CliRequest& request)
{
    if (request.kind.isEmpty()) {
        request.kind = QStringLiteral("text");
    }
    return {};
}

// Stored as given; ReadSpan reads it once the whole request is there.
CliArgument SpanArgument()
{
    CliArgument span = TextArgument(QStringLiteral("HH:MM-HH:MM"), &CliRequest::span);
    span.optional = true;
    return span;
}

// "HH:MM-HH:MM" into the minutes of the day it spans, both ends included.
Result<> ReadSpan(CliRequest& request)
{
    if (request.span.isEmpty()) {
        return {};
    }
    static const QRegularExpression pattern(
        QStringLiteral("^([01][0-9]|2[0-3]):([0-5][0-9])-([01][0-9]|2[0-3]):([0-5][0-9])$"));
    const QRegularExpressionMatch match = pattern.match(request.span);
    if (!match.hasMatch()) {
        return fail(QStringLiteral("The span \"%1\" is no span written HH:MM-HH:MM.")
                        .arg(Shown(request.span)));
    }
    request.firstMinute = match.captured(1).toInt() * 60 + match.captured(2).toInt();
    request.lastMinute = match.captured(3).toInt() * 60 + match.captured(4).toInt();
    if (request.lastMinute < request.firstMinute) {
        return fail(QStringLiteral("The span %1 ends before it starts.").arg(request.span));
    }
    return {};
}

// Both hours or neither may come from the settings file; two given must make a night.
Result<> CheckSleepHours(CliRequest& request)
{
    if (request.sleepStart >= 0 && request.sleepEnd >= 0 &&
        request.sleepEnd <= request.sleepStart) {
        return fail(QStringLiteral("The window from hour %1 to hour %2 ends before it starts.")
                        .arg(request.sleepStart)
                        .arg(request.sleepEnd));
    }
    return {};
}

// The corrections the wristband takes, in seconds per day.
constexpr int MaxCorrection = 99;

Result<> CheckCorrection(const QString& correction, bool autoAllowed)
{
    if (correction.isEmpty() || (autoAllowed && correction == QStringLiteral("auto"))) {
        return {};
    }
    bool ok = false;
    const int seconds = correction.toInt(&ok);
    if (!ok || seconds < -MaxCorrection || seconds > MaxCorrection) {
        return fail(
            QStringLiteral("The option --correction takes %1a whole number from -99 to "
                           "99, not \"%2\".")
                .arg(autoAllowed ? QStringLiteral("auto or ") : QString(), Shown(correction)));
    }
    return {};
}

Result<> CheckTimeSet(CliRequest& request)
{
    if (!request.letter.isEmpty()) {
        const QChar letter = request.letter.at(0).toUpper();
        if (request.letter.size() != 1 || letter < u'D' || letter > u'Z') {
            return fail(QStringLiteral("The option --letter takes one drive letter from D to Z, "
                                       "not \"%1\".")
                            .arg(Shown(request.letter)));
        }
        request.letter = letter;
    }
    return CheckCorrection(request.correction, true);
}

Result<> CheckSetClock(CliRequest& request)
{
    if (request.lastSet.isValid() && request.neverSet) {
        return fail(QStringLiteral("The options --last-set and --never-set exclude each other."));
    }
    return CheckCorrection(request.correction, false);
}

// The three report commands print alike; the period and its rows differ.
CliCommand ReportCommand(Command command, const QString& word, CliArgument period,
                         const QString& rows)
{
    return CliCommand{
        .command = command,
        .words = {QStringLiteral("report"), word},
        .arguments = {std::move(period)},
        .options = {SwitchOption(QStringLiteral("--series"), &CliRequest::series), FormatOption()},
        .help = rows +
                QStringLiteral("\nPrints the seven column titles, then one line per row, the cells "
                               "separated\nby tabs. With --series: \"left maximum<TAB>right "
                               "maximum\" of the chart, then\n\"index<TAB>value\" for each of its "
                               "points.") +
                FormatHelp(QStringLiteral(
                    "the rows' date, start, end, steps, minutes,\ncadence, distance, speed and "
                    "calories (the distance in km or miles as the\nsettings file's units say), or "
                    "the chart's maxima and points (csv: the rows or\npoints only)")),
    };
}

// The generated history of both emulate commands.
QList<CliOption> HistoryOptions()
{
    return {Required(NumberOption(QStringLiteral("--days"), QStringLiteral("N"), &CliRequest::days,
                                  1, MaxDays)),
            UnsignedOption(QStringLiteral("--seed"), QStringLiteral("S"), &CliRequest::seed),
            DateOption(QStringLiteral("--end"), &CliRequest::end)};
}

// "--tick MS": the mission clock the mission commands take as now.
CliOption TickOption()
{
    const QString name = QStringLiteral("--tick");
    return CliOption{name, QStringLiteral("MS"), false,
                     [name](CliRequest& request, const QString& value) -> Result<> {
                         bool ok = false;
                         const quint32 tick = value.toUInt(&ok);
                         if (!ok) {
                             return fail(QStringLiteral("The option %1 needs a whole number from "
                                                        "0 to 4294967295.")
                                             .arg(name));
                         }
                         request.tick = tick;
                         return {};
                     }};
}

// The threshold is kept as typed; it is read as the options page reads it once the settings
// file's language is known, so that a refusal speaks it.
CliOption SlightMovingOption()
{
    return CliOption{QStringLiteral("--slight-moving"), QStringLiteral("N"), false,
                     [](CliRequest& request, const QString& value) -> Result<> {
                         request.optionSlightMoving = value;
                         return {};
                     }};
}

CliArgument MissionArgument()
{
    return ChoiceArgument({QStringLiteral("A"), QStringLiteral("B")}, &CliRequest::missionLetter);
}

// The three mission commands print alike.
QString MissionPageHelp()
{
    return QStringLiteral(
        "Prints the Mission/Target tab, caption<TAB>text: for mission A, then B, the frame and\n"
        "its kind, the target caption and target, and while it runs its progress and\n"
        "running time; then a line for each completion box the tab would open. --tick MS\n"
        "is the mission clock to measure the running time by: wall-clock milliseconds\n"
        "modulo 2^32 (default: now).");
}

Result<> CheckSomeOptionSet(CliRequest& request)
{
    if (request.optionLanguage.isEmpty() && request.optionUnits.isEmpty() &&
        request.optionUpgrade.isEmpty() && request.optionAutoConfirm.isEmpty() &&
        !request.optionSlightMoving) {
        return fail(QStringLiteral("options set needs at least one option to change."));
    }
    return {};
}

// The two update commands share their options.
CliCommand UpdateCommand(Command command, const QString& word, const QString& help)
{
    return CliCommand{
        .command = command,
        .words = {QStringLiteral("update"), word},
        .options = {TextOption(QStringLiteral("--url"), QStringLiteral("URL"),
                               &CliRequest::updateUrl),
                    TextOption(QStringLiteral("--program"), QStringLiteral("FILE"),
                               &CliRequest::updateProgram),
                    TextOption(QStringLiteral("--public-key"), QStringLiteral("PEM"),
                               &CliRequest::updatePublicKey)},
        .help = help + QStringLiteral("\n--url is the address instead of the settings file's, "
                                      "--program the file that\nstands in for the running "
                                      "program, --public-key the Ed25519 key instead of\nthe "
                                      "built-in one."),
    };
}

QList<CliCommand> MakeCommands()
{
    QList<CliOption> diskOptions = HistoryOptions();
    diskOptions.insert(1, ChoiceOption(QStringLiteral("--kind"),
                                       {QStringLiteral("text"), QStringLiteral("kdx")},
                                       &CliRequest::kind));
    return {
        CliCommand{
            .command = Command::Collect,
            .words = {QStringLiteral("collect")},
            .help = QStringLiteral(
                "Finds the wristband and collects its records into the store without asking;\n"
                "prints the status lines, then \"Stored N steps in M minutes over D days.\". "
                "Fails\n"
                "when no wristband is found, a day file could not be imported, or a reading\n"
                "could not be completed."),
        },
        CliCommand{
            .command = Command::Watch,
            .words = {QStringLiteral("watch")},
            .help = QStringLiteral(
                "Waits for wristbands and collects each one as it is plugged in, as collect does,\n"
                "printing one line per event: \"watching<TAB>FOLDER\", \"found<TAB>L\",\n"
                "\"collected<TAB>L<TAB>STEPS\", \"unchanged<TAB>L\", \"failed<TAB>L<TAB>REASON\",\n"
                "\"removed<TAB>L\" and \"stopped\". SIGTERM, SIGINT or SIGHUP end it with 0 once "
                "a\n"
                "collection in progress has finished."),
        },
        CliCommand{
            .command = Command::ExportCsv,
            .words = {QStringLiteral("export"), QStringLiteral("csv")},
            .options = {DateOption(QStringLiteral("--from"), &CliRequest::from),
                        DateOption(QStringLiteral("--to"), &CliRequest::to),
                        SwitchOption(QStringLiteral("--all"), &CliRequest::allMinutes)},
            .check = CheckExportRange,
            .wrongArguments = ExportFormats(),
            .help = QStringLiteral(
                "Writes \"minute,steps\" and then one line \"YYYY-MM-DD HH:MM,steps\" per minute\n"
                "with steps, in time order; with --all every minute of the range."),
        },
        ReportCommand(Command::ReportMonth, QStringLiteral("month"),
                      MonthArgument(&CliRequest::date),
                      QStringLiteral("The month's report: one row per day with steps.")),
        ReportCommand(Command::ReportWeek, QStringLiteral("week"), DateArgument(&CliRequest::date),
                      QStringLiteral("The report of the week, Sunday to Saturday, that holds the "
                                     "date: one row\nper walk.")),
        ReportCommand(Command::ReportDay, QStringLiteral("day"), DateArgument(&CliRequest::date),
                      QStringLiteral("The day's report: one row per walk (minutes of steps without "
                                     "a break).")),
        CliCommand{
            .command = Command::Summary,
            .words = {QStringLiteral("summary")},
            .options = {FormatOption()},
            .help =
                QStringLiteral("Prints the lifetime summary: four lines \"caption<TAB>value\".") +
                FormatHelp(QStringLiteral("steps, distance, minutes and calories")),
        },
        CliCommand{
            .command = Command::Delete,
            .words = {QStringLiteral("delete")},
            .arguments = {DateArgument(&CliRequest::date), SpanArgument()},
            .check = ReadSpan,
            .wrongArguments =
                QStringLiteral("delete needs a date YYYY-MM-DD and may take a span HH:MM-HH:MM."),
            .help = QStringLiteral(
                "Clears the steps of the day, or of the minutes from the span's start to its\n"
                "end, in the store, as the Report tab's Delete does. The lifetime totals stay.\n"
                "Prints the steps and minutes cleared, or that there was nothing to clear."),
        },
        CliCommand{
            .command = Command::Sleep,
            .words = {QStringLiteral("sleep")},
            .arguments = {DateArgument(&CliRequest::date)},
            .options = {NumberOption(QStringLiteral("--start"), QStringLiteral("H"),
                                     &CliRequest::sleepStart, 0, SleepWindow::LastStartHour),
                        NumberOption(QStringLiteral("--end"), QStringLiteral("H"),
                                     &CliRequest::sleepEnd, 1, SleepWindow::LastEndHour),
                        FormatOption()},
            .check = CheckSleepHours,
            .help =
                QStringLiteral(
                    "The sleep analysis of the night from the date's evening: the title, the four\n"
                    "figures (falling asleep, waking, sleep time, efficiency; the value and its\n"
                    "caption joined by \" | \"), then \"HH:MM<TAB>depth<TAB>class\" for every "
                    "minute\n"
                    "of the window. The window's hours count from the date's midnight (20 to 33 "
                    "is\n"
                    "20:00 to 09:00 the next morning); those not given come from the settings "
                    "file,\n"
                    "an end at or before the start becoming one hour after it. The settings file\n"
                    "is not changed.") +
                FormatHelp(QStringLiteral("the window and the four figures, then each\n"
                                          "minute's time, depth and class (csv: the minutes "
                                          "only)")),
        },
        CliCommand{
            .command = Command::MissionShow,
            .words = {QStringLiteral("mission"), QStringLiteral("show")},
            .options = {SwitchOption(QStringLiteral("--raw"), &CliRequest::missionRaw),
                        TickOption(), FormatOption()},
            .help = MissionPageHelp() +
                    QStringLiteral("\nWith --raw: the settings file's mission keys, "
                                   "key<TAB>value.") +
                    FormatHelp(QStringLiteral("each mission's kind, target and its unit,\n"
                                              "progress and running time")),
        },
        CliCommand{
            .command = Command::MissionStart,
            .words = {QStringLiteral("mission"), QStringLiteral("start")},
            .arguments = {MissionArgument()},
            .options = {Required(ChoiceOption(QStringLiteral("--kind"),
                                              {QStringLiteral("steps"), QStringLiteral("distance"),
                                               QStringLiteral("time"), QStringLiteral("calories")},
                                              &CliRequest::missionKind)),
                        Required(TextOption(QStringLiteral("--target"), QStringLiteral("T"),
                                            &CliRequest::missionTarget)),
                        TickOption()},
            .wrongArguments = QStringLiteral("mission start needs the mission, A or B."),
            .help = QStringLiteral(
                "Starts the mission as the tab's Start does, T read as typed into its target\n"
                "box (a distance in the settings file's unit), at the tick MS; then prints the\n"
                "tab as mission show does. A target closer to 0 than 0.01 starts nothing."),
        },
        CliCommand{
            .command = Command::MissionStop,
            .words = {QStringLiteral("mission"), QStringLiteral("stop")},
            .arguments = {MissionArgument()},
            .options = {TickOption()},
            .wrongArguments = QStringLiteral("mission stop needs the mission, A or B."),
            .help = QStringLiteral("Stops the mission and clears its target, steps and time; "
                                   "then prints\nthe tab as mission show does."),
        },
        CliCommand{
            .command = Command::OptionsShow,
            .words = {QStringLiteral("options"), QStringLiteral("show")},
            .options = {FormatOption()},
            .help = QStringLiteral(
                        "Prints the user options as the User Option tab shows them, one control a "
                        "line:\n"
                        "\"caption<TAB>value\", the value on or off for the three languages, the "
                        "two\nunit systems and the two check boxes, the slight-movement threshold "
                        "followed\nby a third cell with its unit, then the four lines of the "
                        "locale label. Like\noptions set, it needs the folder's settings file and "
                        "speaks its language.") +
                    FormatHelp(QStringLiteral("the language, units, both switches, the\n"
                                              "threshold and the two locales")),
        },
        CliCommand{
            .command = Command::OptionsSet,
            .words = {QStringLiteral("options"), QStringLiteral("set")},
            .options = {ChoiceOption(QStringLiteral("--language"), LanguageCliWords(),
                                     &CliRequest::optionLanguage),
                        ChoiceOption(QStringLiteral("--units"),
                                     {QStringLiteral("metric"), QStringLiteral("imperial")},
                                     &CliRequest::optionUnits),
                        ChoiceOption(QStringLiteral("--upgrade"),
                                     {QStringLiteral("on"), QStringLiteral("off")},
                                     &CliRequest::optionUpgrade),
                        ChoiceOption(QStringLiteral("--auto-confirm"),
                                     {QStringLiteral("on"), QStringLiteral("off")},
                                     &CliRequest::optionAutoConfirm),
                        SlightMovingOption()},
            .check = CheckSomeOptionSet,
            .help = QStringLiteral(
                "Changes the options given, all in one write of the settings file, as the\n"
                "User Option tab does: the interface language (English, Traditional or\n"
                "Simplified Chinese), the units, the update check at start, automatic answers\n"
                "to yes/no questions, and the slight-movement threshold in steps per minute."),
        },
        CliCommand{
            .command = Command::TimeSet,
            .words = {QStringLiteral("timeset")},
            .options = {TextOption(QStringLiteral("--letter"), QStringLiteral("L"),
                                   &CliRequest::letter),
                        ChoiceOption(QStringLiteral("--hour-mode"),
                                     {QStringLiteral("24"), QStringLiteral("12")},
                                     &CliRequest::hourMode),
                        TextOption(QStringLiteral("--correction"), QStringLiteral("auto|N"),
                                   &CliRequest::correction),
                        ChoiceOption(QStringLiteral("--sleep"),
                                     {QStringLiteral("off"), QStringLiteral("once"),
                                      QStringLiteral("daily")},
                                     &CliRequest::sleepMode),
                        TimeOption(QStringLiteral("--sleep-start"), &CliRequest::monitorStart),
                        TimeOption(QStringLiteral("--sleep-stop"), &CliRequest::monitorStop)},
            .check = CheckTimeSet,
            .help = QStringLiteral(
                "Sets the wristband's clock from the PC's, as the Maintain tab's Time Set does,\n"
                "without collecting: a pass-through wristband gets its settings block, a file-\n"
                "model one a rewritten CLOCK.TXT. The wristband is found by discovery, or the\n"
                "drive --letter is taken as its drive button does. What is not given stays the\n"
                "wristband's own; --correction auto (the default) is the correction its drift\n"
                "calls for (pass-through) or the one it has (file model). Prints one line: the\n"
                "status line, or the text of the box that asks to unplug the wristband."),
        },
        CliCommand{
            .command = Command::ClockCheck,
            .words = {QStringLiteral("clockcheck")},
            .help = QStringLiteral(
                "Reads the pass-through wristband's clock, as the Maintain tab's Check Watch\n"
                "does, and prints the status line, the report (its lines joined by \" | \") and\n"
                "\"correction<TAB>N\", the correction the next Time Set in Auto sends."),
        },
        CliCommand{
            .command = Command::SetClock,
            .words = {QStringLiteral("emulate"), QStringLiteral("set-clock")},
            .arguments = {TextArgument(QStringLiteral("IMAGE"), &CliRequest::target)},
            .options = {Required(DateTimeOption(QStringLiteral("--watch"), &CliRequest::watch)),
                        DateTimeOption(QStringLiteral("--last-set"), &CliRequest::lastSet),
                        SwitchOption(QStringLiteral("--never-set"), &CliRequest::neverSet),
                        TextOption(QStringLiteral("--correction"), QStringLiteral("N"),
                                   &CliRequest::correction)},
            .check = CheckSetClock,
            .wrongArguments = QStringLiteral("emulate set-clock needs exactly one record image."),
            .help = QStringLiteral(
                "Sets the clock of the emulated wristband of a record image to the --watch time\n"
                "now, and the time it was last set (kept unless given) and its correction. The\n"
                "clock and settings are kept beside the image and run on between runs."),
        },
        CliCommand{
            .command = Command::ShowStatus,
            .words = {QStringLiteral("emulate"), QStringLiteral("show")},
            .arguments = {TextArgument(QStringLiteral("IMAGE"), &CliRequest::target)},
            .wrongArguments = QStringLiteral("emulate show needs exactly one record image."),
            .help = QStringLiteral(
                "Prints the 256-byte settings block the emulated wristband of a record image\n"
                "answers now, as 16 lines of 16 hexadecimal bytes."),
        },
        CliCommand{
            .command = Command::Factory,
            .words = {QStringLiteral("factory")},
            .options = {NumberOption(QStringLiteral("--count"), QStringLiteral("N"),
                                     &CliRequest::factoryCount, 1, MaxFactoryCount),
                        NumberOption(QStringLiteral("--timeout"), QStringLiteral("S"),
                                     &CliRequest::factoryTimeout, 1, MaxFactoryTimeout)},
            .help = QStringLiteral(
                "The factory set-up: sets up wristbands as they are plugged in, one after the\n"
                "other, with the PC's time, CLOCK.TXT and the marker file (the settings block\n"
                "for one without a drive letter) and the settings file's pre-copy folder.\n"
                "Prints every status text as a line and \"count<TAB>N\" after each wristband\n"
                "set up. A wristband already plugged in is handled at the next plug-in or\n"
                "removal. Ends after N wristbands (default 1); fails at the first wristband\n"
                "that could not be set up, or when S seconds have passed."),
        },
        CliCommand{
            .command = Command::MakeDisk,
            .words = {QStringLiteral("emulate"), QStringLiteral("make-disk")},
            .arguments = {TextArgument(QStringLiteral("DIR"), &CliRequest::target)},
            .options = diskOptions,
            .check = DefaultDiskKind,
            .wrongArguments = QStringLiteral("emulate make-disk needs exactly one folder."),
            .help = QStringLiteral(
                "Makes the folder DIR a file-model wristband's disk with N days of generated\n"
                "day files (text by default) ending on the given day (default: today)."),
        },
        CliCommand{
            .command = Command::MakeImage,
            .words = {QStringLiteral("emulate"), QStringLiteral("make-image")},
            .arguments = {ChoiceArgument({QStringLiteral("k7"), QStringLiteral("k9e")},
                                         &CliRequest::kind),
                          TextArgument(QStringLiteral("FILE"), &CliRequest::target)},
            .options = HistoryOptions(),
            .wrongArguments =
                QStringLiteral("emulate make-image needs a model (k7 or k9e) and one file."),
            .help = QStringLiteral(
                "Writes a pass-through wristband's record image with N days of generated steps."),
        },
        PersonalShowCommand(),
        PersonalSetCommand(),
        UpdateCommand(Command::UpdateCheck, QStringLiteral("check"),
                      QStringLiteral("Compares the running program file's stamp with that of the "
                                     "file at the update\naddress, as the window does at start: "
                                     "prints local<TAB>0xXXXXXXXX,\nserver<TAB>0xXXXXXXXX (or "
                                     "none) and newer<TAB>yes|no, and writes the\nsettings file's "
                                     "\"Update\" keys.")),
        UpdateCommand(Command::UpdateDownload, QStringLiteral("download"),
                      QStringLiteral("The check, then, when the server's file is newer, its "
                                     "download to the working\nfolder's tmp folder; it is kept "
                                     "only when complete, of this system's kind and\nsigned. "
                                     "Prints the three lines of update check, then the \"New "
                                     "Ver\" text.\nThe updater is not started.")),
    };
}

} // namespace

const QList<CliOption>& GlobalCliOptions()
{
    static const QList<CliOption> options{
        TextOption(QStringLiteral("--workdir"), QStringLiteral("DIR"), &CliRequest::workdir),
        ListOption(QStringLiteral("--drive"), QStringLiteral("LETTER=SOURCE"), &CliRequest::drives),
        DateTimeOption(QStringLiteral("--now"), &CliRequest::now)};
    return options;
}

const QList<CliCommand>& CliCommands()
{
    static const QList<CliCommand> commands = MakeCommands();
    return commands;
}

const QList<CliGroup>& CliGroups()
{
    static const QList<CliGroup> groups{
        {{QStringLiteral("export")}, ExportFormats()},
        {{QStringLiteral("personal")}, QStringLiteral("The command personal needs show or set.")},
        {{QStringLiteral("mission")},
         QStringLiteral("The command mission needs show, start A|B or stop A|B.")},
        {{QStringLiteral("options")}, QStringLiteral("The command options needs show or set.")},
        {{QStringLiteral("update")}, QStringLiteral("The command update needs check or download.")},
        {{QStringLiteral("report")},
         QStringLiteral("The command report needs month YYYY-MM, week YYYY-MM-DD or day "
                        "YYYY-MM-DD.")}};
    return groups;
}

QString CliHelpHead()
{
    return QStringLiteral(
        "Usage: trekkomat-cli [--workdir DIR] [--drive LETTER=SOURCE]... [--now TIME] COMMAND "
        "[OPTIONS]\n"
        "\n"
        "Takes the step records off a wristband into the monthly store of a working folder and\n"
        "reads them back out, as CSV or as the Report and DayLife tabs and the sleep analysis\n"
        "show them, without a window. The reports, the summary, sleep, delete, export and the\n"
        "show commands need the folder's settings file and speak its language and units;\n"
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
        "                    F=k7:IMAGE   an emulated K7 wristband with this record image\n"
        "                    F=k9e:IMAGE  an emulated K9E wristband with this record image\n"
        "                    *=k9e:IMAGE  the same, found as a disk without a drive letter\n"
        "  --now \"YYYY-MM-DD HH:MM:SS\"\n"
        "                  the PC's local time for the whole run, for the clock file, the\n"
        "                  settings block, the drift and the emulated wristbands' clocks\n"
        "  -h, --help      this text\n"
        "  --version       the program's name and version\n");
}

QString CliHelpTail()
{
    return QStringLiteral("Exit status: 0 success, 1 the work failed, 2 the command line was "
                          "wrong.\n");
}

} // namespace trek::cli

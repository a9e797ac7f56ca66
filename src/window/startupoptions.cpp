// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/startupoptions.h"

#include <QCommandLineParser>
#include <QDir>

namespace trek {

namespace {
// In tab order, and in the order of the report's mode numbers.
const QStringList PageNames{QStringLiteral("report"),   QStringLiteral("summary"),
                            QStringLiteral("mission"),  QStringLiteral("personal"),
                            QStringLiteral("maintain"), QStringLiteral("options")};
const QStringList ReportNames{QStringLiteral("month"), QStringLiteral("week"),
                              QStringLiteral("day")};
} // namespace

Result<StartupOptions> ParseStartupOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption drive(QStringLiteral("drive"),
                                   QStringLiteral("Simulate a drive: E=DIR, F=k9e:IMAGE, "
                                                  "F=k7:IMAGE or *=k9e:IMAGE."),
                                   QStringLiteral("LETTER=SOURCE"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Draw the main window into a PNG file once it is up, then quit."),
        QStringLiteral("FILE.png"));
    const QCommandLineOption noUpdate(QStringLiteral("no-update-check"),
                                      QStringLiteral("Do not look for a newer version."));
    const QCommandLineOption date(QStringLiteral("date"),
                                  QStringLiteral("Select this day in the calendar at start."),
                                  QStringLiteral("YYYY-MM-DD"));
    const QCommandLineOption page(
        QStringLiteral("page"),
        QStringLiteral("Show this tab at start: report, summary, mission, personal, maintain or "
                       "options."),
        QStringLiteral("NAME"));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Show the report of this kind (month, week or day), as a click on its "
                       "button does; the choice is kept in the settings file."),
        QStringLiteral("KIND"));
    const QCommandLineOption sleep(QStringLiteral("sleep-analysis"),
                                   QStringLiteral("Open the sleep analysis of the selected day "
                                                  "at start (with --screenshot, its picture)."));
    const QCommandLineOption trends(QStringLiteral("trends"),
                                    QStringLiteral("Open the Trends dialog up to the selected day "
                                                   "at start (with --screenshot, its picture)."));
    const QCommandLineOption factory(QStringLiteral("factory-setup"),
                                     QStringLiteral("Open the factory set-up at start, as the "
                                                    "Maintain tab's Shift+Ctrl gesture does."));
    const QCommandLineOption updateProgram(
        QStringLiteral("update-program"),
        QStringLiteral("The program file the update check compares with the server's and an "
                       "update replaces, instead of this program's own file."),
        QStringLiteral("FILE"));
    const QCommandLineOption firstFrame(
        QStringLiteral("quit-after-first-frame"),
        QStringLiteral("Quit as soon as the window's first frame is painted, printing the moment "
                       "(to time the start-up)."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print these options and quit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Print the program's name and version and "
                                                    "quit."));
    parser.setApplicationDescription(
        QStringLiteral("The desktop companion of the K7 step-counting wristband."));
    parser.addOptions({drive, screenshot, noUpdate, date, page, report, sleep, trends, factory,
                       updateProgram, firstFrame, help, version});

    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail(QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first());
    }

    StartupOptions options;
    if (parser.isSet(help)) {
        options.helpText = parser.helpText();
        return options;
    }
    if (parser.isSet(version)) {
        options.version = true;
        return options;
    }
    options.driveOptions = parser.values(drive);
    options.screenshotPath = parser.value(screenshot);
    if (parser.isSet(screenshot) && options.screenshotPath.isEmpty()) {
        return fail(QStringLiteral("--screenshot needs a file name."));
    }
    options.updateCheck = !parser.isSet(noUpdate);
    if (parser.isSet(date)) {
        options.date = QDate::fromString(parser.value(date), Qt::ISODate);
        if (!options.date.isValid()) {
            return fail(QStringLiteral("--date needs a real day YYYY-MM-DD."));
        }
    }
    if (parser.isSet(page)) {
        options.page = static_cast<int>(PageNames.indexOf(parser.value(page)));
        if (options.page < 0) {
            return fail(QStringLiteral("--page needs one of: ") + PageNames.join(u' '));
        }
    }
    if (parser.isSet(report)) {
        options.reportMode = static_cast<int>(ReportNames.indexOf(parser.value(report)));
        if (options.reportMode < 0) {
            return fail(QStringLiteral("--report needs month, week or day."));
        }
    }
    options.sleepAnalysis = parser.isSet(sleep);
    options.trends = parser.isSet(trends);
    options.factorySetup = parser.isSet(factory);
    options.updateProgram = parser.value(updateProgram);
    options.quitAfterFirstFrame = parser.isSet(firstFrame);
    return options;
}

bool ShouldRunHeadless()
{
    return qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

QString HeadlessScreenshotPath()
{
    return QDir::current().absoluteFilePath(QStringLiteral("trekkomat-window.png"));
}

} // namespace trek

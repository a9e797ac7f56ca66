#include "app/window/startupoptions.h"

#include <QCommandLineParser>
#include <QDir>

namespace trek {

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
    parser.addOptions({drive, screenshot, noUpdate});

    if (!parser.parse(arguments)) {
        return fail(parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail(QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first());
    }

    StartupOptions options;
    options.driveOptions = parser.values(drive);
    options.screenshotPath = parser.value(screenshot);
    if (parser.isSet(screenshot) && options.screenshotPath.isEmpty()) {
        return fail(QStringLiteral("--screenshot needs a file name."));
    }
    options.updateCheck = !parser.isSet(noUpdate);
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

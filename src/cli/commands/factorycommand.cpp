// SPDX-License-Identifier: GPL-3.0-or-later
// factory: the factory set-up without its window. Wristbands are set up as they are plugged in,
// one line per status text and "count<TAB>N" after each; 0 after the asked number, 1 at the
// first failure or when the time is up.

#include "app/appstate.h"
#include "app/userinterface.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "device/discovery.h"
#include "device/factorysetup.h"

#include <QEventLoop>
#include <QTimer>

namespace trek::cli {

namespace {

constexpr int MillisecondsPerSecond = 1000;
// More wristbands or seconds than a working day could see are a typing error.
constexpr int MaxCount = 100000;
constexpr int MaxTimeout = 7 * 24 * 3600;

struct FactoryValues
{
    int count = 1;   // wristbands to set up
    int timeout = 0; // seconds; 0: no limit
};

QString driveName(char letter)
{
    return letter == '*' ? QStringLiteral("the wristband without a drive letter")
                         : QStringLiteral("Disk-%1").arg(QChar::fromLatin1(letter));
}

int RunFactory(const FactoryValues& values, const CliRequest& /*request*/)
{
    // The probes also tell the main window's status line what they do; the command prints only
    // the set-up's own texts.
    QuietTerminalUi ui;
    appState().ui = &ui;
    // As while the dialog is open: nothing but the set-up reacts to the wristbands.
    appState().link.discoverySuspended = true;

    FactorySetup setup(ReadPreCopySettings());
    QEventLoop loop;
    int status = ExitFailed;
    bool finished = false;
    // The first ending counts: a deadline that strikes while a wristband is being set up lets
    // that set-up finish and print, but it does not turn into a success.
    const auto finish = [&](int result) {
        if (finished) {
            return;
        }
        finished = true;
        setup.Stop();
        status = result;
        loop.exit();
    };

    // Waiting after a removal shows the text it showed before; it is printed once.
    QString shown;
    const auto printStatus = [&] {
        if (const QString text = setup.StatusText(); text != shown) {
            shown = text;
            PrintOut(text);
        }
    };
    printStatus();
    QObject::connect(&setup, &FactorySetup::stageChanged, &loop, [&](FactoryStage stage) {
        printStatus();
        if (stage == FactoryStage::Failed) {
            PrintError(QStringLiteral("The set-up of %1 failed: %2")
                           .arg(driveName(setup.CurrentLetter()), setup.LastError()));
            finish(ExitFailed);
        }
    });
    QObject::connect(&setup, &FactorySetup::succeeded, &loop, [&](int count) {
        PrintOut(QStringLiteral("count\t%1").arg(count));
        if (count >= values.count) {
            finish(ExitSuccess);
        }
    });
    QTimer deadline;
    if (values.timeout > 0) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
            PrintError(QStringLiteral("%1 of %2 wristbands were set up in %3 seconds.")
                           .arg(setup.Count())
                           .arg(values.count)
                           .arg(values.timeout));
            finish(ExitFailed);
        });
        deadline.start(values.timeout * MillisecondsPerSecond);
    }
    loop.exec();

    ResetLink();
    appState().link.discoverySuspended = false;
    appState().ui = nullptr;
    return status;
}

} // namespace

QList<CliCommand> FactoryCommand()
{
    return {Row(CommandRow<FactoryValues>{
        .words = {QStringLiteral("factory")},
        .options = {NumberOption(QStringLiteral("--count"), QStringLiteral("N"),
                                 &FactoryValues::count, 1, MaxCount),
                    NumberOption(QStringLiteral("--timeout"), QStringLiteral("S"),
                                 &FactoryValues::timeout, 1, MaxTimeout)},
        .help = QStringLiteral(
            "The factory set-up: sets up wristbands as they are plugged in, one after the\n"
            "other, with the PC's time, CLOCK.TXT and the marker file (the settings block\n"
            "for one without a drive letter) and the settings file's pre-copy folder.\n"
            "Prints every status text as a line and \"count<TAB>N\" after each wristband\n"
            "set up. A wristband already plugged in is handled at the next plug-in or\n"
            "removal. Ends after N wristbands (default 1); fails at the first wristband\n"
            "that could not be set up, or when S seconds have passed."),
        .needs = CliNeeds::WorkingFolder,
        .run = RunFactory,
    })};
}

} // namespace trek::cli

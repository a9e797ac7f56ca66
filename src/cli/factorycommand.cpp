// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/factorycommand.h"

#include "app/appstate.h"
#include "app/userinterface.h"
#include "cli/clicommands.h"
#include "cli/terminalui.h"
#include "device/discovery.h"
#include "device/factorysetup.h"

#include <QEventLoop>
#include <QTimer>

namespace trek::cli {

namespace {

constexpr int MillisecondsPerSecond = 1000;

QString driveName(char letter)
{
    return letter == '*' ? QStringLiteral("the wristband without a drive letter")
                         : QStringLiteral("Disk-%1").arg(QChar::fromLatin1(letter));
}

} // namespace

int RunFactory(const CliRequest& request)
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
        if (count >= request.factoryCount) {
            finish(ExitSuccess);
        }
    });
    QTimer deadline;
    if (request.factoryTimeout > 0) {
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
            PrintError(QStringLiteral("%1 of %2 wristbands were set up in %3 seconds.")
                           .arg(setup.Count())
                           .arg(request.factoryCount)
                           .arg(request.factoryTimeout));
            finish(ExitFailed);
        });
        deadline.start(request.factoryTimeout * MillisecondsPerSecond);
    }
    loop.exec();

    ResetLink();
    appState().link.discoverySuspended = false;
    appState().ui = nullptr;
    return status;
}

} // namespace trek::cli

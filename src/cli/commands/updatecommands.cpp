// SPDX-License-Identifier: GPL-3.0-or-later
// update check|download: the version check, and the download with its verification, as the
// window runs them at start, without ever starting the updater.

#include "app/appstate.h"
#include "cli/commands/commandlist.h"
#include "cli/terminalui.h"
#include "platform/regularfile.h"
#include "update/updatekeys.h"
#include "update/updatesession.h"

#include <QEventLoop>
#include <QStringList>

namespace trek::cli {

namespace {

// A PEM key is a few lines.
constexpr qint64 MaxKeyBytes = qint64{64} * 1024;

// Empty for the settings file's address, the running program and the built-in key.
struct UpdateValues
{
    QString url;
    QString program;
    QString publicKey;
};

int RunUpdate(bool download, const UpdateValues& values)
{
    UpdateSettings settings = CurrentUpdateSettings();
    settings.download = download;
    settings.autoConfirm = true; // the command line asked for the download already
    if (!values.url.isEmpty()) {
        settings.address = values.url;
    }
    if (!values.program.isEmpty()) {
        settings.programPath = values.program;
    }
    if (!values.publicKey.isEmpty()) {
        const Result<QByteArray> key = platform::readRegularFile(values.publicKey, MaxKeyBytes);
        if (!key) {
            PrintError(key.error());
            return ExitFailed;
        }
        settings.publicKey = *key;
    }

    TerminalUi ui;
    appState().ui = &ui;
    UpdateSession session(std::move(settings));
    QEventLoop loop;
    QObject::connect(&session, &UpdateSession::done, &loop, &QEventLoop::quit);
    session.start();
    if (!session.finished()) {
        loop.exec();
    }
    appState().ui = nullptr;

    using State = UpdateOutcome::State;
    const UpdateOutcome& outcome = session.outcome();
    if (outcome.state == State::NotChecked) {
        PrintError(outcome.reason);
        return ExitFailed;
    }
    const bool newer = outcome.serverStamp && *outcome.serverStamp > outcome.localStamp;
    QStringList lines{
        QStringLiteral("local\t") + StampHex(outcome.localStamp),
        QStringLiteral("server\t") +
            (outcome.serverStamp ? StampHex(*outcome.serverStamp) : QStringLiteral("none")),
        QStringLiteral("newer\t") + (newer ? QStringLiteral("yes") : QStringLiteral("no"))};
    if (outcome.state == State::Downloaded) {
        lines << outcome.versionText;
    }
    if (const int written = WriteLines(lines); written != ExitSuccess) {
        return written;
    }
    switch (outcome.state) {
    case State::ServerUnread:
    case State::NotWritable:
        PrintError(outcome.reason);
        return ExitFailed;
    case State::Failed: // the session has told why
        return ExitFailed;
    default:
        return ExitSuccess;
    }
}

// The two update commands share their options.
CliCommand UpdateCommand(bool download, const QString& word, const QString& help)
{
    return Row(CommandRow<UpdateValues>{
        .words = {QStringLiteral("update"), word},
        .options = {TextOption(QStringLiteral("--url"), QStringLiteral("URL"), &UpdateValues::url),
                    TextOption(QStringLiteral("--program"), QStringLiteral("FILE"),
                               &UpdateValues::program),
                    TextOption(QStringLiteral("--public-key"), QStringLiteral("PEM"),
                               &UpdateValues::publicKey)},
        .wrongWord = QStringLiteral("The command update needs check or download."),
        .help = help + QStringLiteral("\n--url is the address instead of the settings file's, "
                                      "--program the file that\nstands in for the running "
                                      "program, --public-key the Ed25519 key instead of\nthe "
                                      "built-in one."),
        .needs = CliNeeds::SettingsFile,
        .run = [download](const UpdateValues& values,
                          const CliRequest& /*request*/) { return RunUpdate(download, values); },
    });
}

} // namespace

QList<CliCommand> UpdateCommands()
{
    return {
        UpdateCommand(false, QStringLiteral("check"),
                      QStringLiteral("Compares the running program file's stamp with that of the "
                                     "file at the update\naddress, as the window does at start: "
                                     "prints local<TAB>0xXXXXXXXX,\nserver<TAB>0xXXXXXXXX (or "
                                     "none) and newer<TAB>yes|no, and writes the\nsettings file's "
                                     "\"Update\" keys.")),
        UpdateCommand(true, QStringLiteral("download"),
                      QStringLiteral("The check, then, when the server's file is newer, its "
                                     "download to the working\nfolder's tmp folder; it is kept "
                                     "only when complete, of this system's kind and\nsigned. "
                                     "Prints the three lines of update check, then the \"New "
                                     "Ver\" text.\nThe updater is not started.")),
    };
}

} // namespace trek::cli

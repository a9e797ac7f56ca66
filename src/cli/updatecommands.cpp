// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/updatecommands.h"

#include "app/appstate.h"
#include "cli/clicommands.h"
#include "cli/reportcommands.h"
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

} // namespace

int RunUpdate(const CliRequest& request)
{
    UpdateSettings settings = CurrentUpdateSettings();
    settings.download = request.command == CliRequest::Command::UpdateDownload;
    settings.autoConfirm = true; // the command line asked for the download already
    if (!request.updateUrl.isEmpty()) {
        settings.address = request.updateUrl;
    }
    if (!request.updateProgram.isEmpty()) {
        settings.programPath = request.updateProgram;
    }
    if (!request.updatePublicKey.isEmpty()) {
        const Result<QByteArray> key =
            platform::readRegularFile(request.updatePublicKey, MaxKeyBytes);
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

} // namespace trek::cli

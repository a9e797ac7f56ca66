// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/executableheader.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <optional>

class QNetworkReply;

namespace trek {

namespace platform {
class StagedFile;
}

// What one update run is given.
struct UpdateSettings
{
    QString address;     // as the settings file holds it; checked before anything is fetched
    QString programPath; // the running program: its stamp, size and format; the file replaced
    QString workingFolder;
    QByteArray publicKey; // PEM of the Ed25519 key the new file must be signed with
    bool autoConfirm = false;
    bool download = true; // false: only compare the stamps
    int checkTimeoutMs = 30'000;
    int downloadTimeoutMs = 15 * 60'000; // the whole transfer, however it trickles
    int stallTimeoutMs = 60'000;         // without a byte
    qint64 maxBytes = qint64{256} * 1024 * 1024;
};

// The settings of this run of the program: the address of "Advance" / "UpdateURL" (or the
// default), the running program file, the working folder, the built-in key, auto-confirm.
UpdateSettings CurrentUpdateSettings();

// Whether a server's file could ever replace the program file at `programPath`. The check
// compares PE link stamps, and a file without one (every ELF build) counts as stamped
// 0xFFFFFFFF, which nothing is newer than: checking it would only tell the server about us. A
// file that cannot be read is left to the session, which says why it cannot check.
bool ServerFileCanReplace(const QString& programPath);

struct UpdateOutcome
{
    enum class State : quint8 {
        Running,
        NotChecked,   // the address or the running program file did not allow a check
        ServerUnread, // nothing with a program header came from the server
        NotNewer,
        Newer,       // the check alone was asked for
        NotWritable, // newer, but the program's folder cannot be written by this user
        Declined,
        Failed,
        Downloaded,
    };
    State state = State::Running;
    quint32 localStamp = NoProgramStamp;
    std::optional<quint32> serverStamp;
    QString reason;      // NotChecked, NotWritable, Failed
    QString versionText; // Downloaded: "New Ver ..."
};

// The update check and download of one program run, asynchronous on the thread that owns it.
// It asks and tells the user through user(): the question, the progress bar, the wait cursor
// during the check, and why a download was refused. Only a complete file whose stamp, format
// and signature are right ever reaches DownloadedProgramPath() (app/startup.h); it then sets the
// update-ready flag. Deleting the session stops it and removes what it had fetched.
class UpdateSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateSession)
public:
    explicit UpdateSession(UpdateSettings settings, QObject* parent = nullptr);
    ~UpdateSession() override;

    void start();
    const UpdateOutcome& outcome() const { return m_outcome; }
    bool finished() const { return m_outcome.state != UpdateOutcome::State::Running; }

signals:
    void done();

private:
    using Step = void (UpdateSession::*)();
    // Fetches `url` and the redirects it leads to, each one asked for by this session, so that
    // every hop is checked before anything is sent there; `onData` and `onDone` see only the
    // final answer, in m_reply.
    void fetch(const QUrl& url, int timeoutMs, Step onData, Step onDone);
    void request(const QUrl& url);
    void onReplyData();
    void onReplyFinished();
    void onCheckData();
    void onCheckFinished();
    void askAndDownload();
    void startDownload();
    void onDownloadData();
    void onDownloadFinished();
    void onSignatureData();
    void onSignatureFinished();
    bool takeDownloadBytes();
    void stopTransfer(const QString& reason);
    void failDownload(const QString& reason);
    void finish(UpdateOutcome::State state, const QString& reason = {});

    UpdateSettings m_settings;
    UpdateOutcome m_outcome;
    QUrl m_address;
    ExecutableKind m_localKind;
    qint64 m_programSize = 0;
    int m_shownPercent = -1;
    bool m_busy = false;
    QNetworkAccessManager m_network;
    QPointer<QNetworkReply> m_reply;
    Step m_onData = nullptr;
    Step m_onDone = nullptr;
    QList<QUrl> m_visited; // the addresses of this transfer so far, to tell a loop
    QTimer m_deadline;
    QTimer m_stall;    // restarted by every byte that comes
    QByteArray m_head; // the first bytes of what the server sends
    QByteArray m_signature;
    std::unique_ptr<platform::StagedFile> m_file;
    QString m_failure; // set while a transfer is being stopped for this reason
};

} // namespace trek

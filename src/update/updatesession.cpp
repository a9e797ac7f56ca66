// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/updatesession.h"

#include "app/appstate.h"
#include "app/currentlanguage.h"
#include "app/settingstable.h"
#include "app/startup.h"
#include "app/userinterface.h"
#include "platform/regularfile.h"
#include "platform/stagedfile.h"
#include "update/signature.h"
#include "update/updateaddress.h"
#include "update/updatekeys.h"
#include "update/versionresource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace trek {

namespace {

constexpr int MaxRedirects = 5;
constexpr qint64 MaxSignatureBytes = 4096;
constexpr int HttpOk = 200;

int HttpStatus(const QNetworkReply& reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// Where a redirect answer points, perhaps relative to the address asked; empty for any other.
QUrl RedirectTarget(const QNetworkReply& reply)
{
    return reply.attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
}

// The first bytes of a program file, which its stamp and format are read from.
struct ProgramHead
{
    bool opened = false;
    QByteArray bytes;
    qint64 size = 0;
};

ProgramHead ReadProgramHead(const QString& path)
{
    ProgramHead head;
    QFile program(path);
    if (QFileInfo(program).isFile() && program.open(QIODevice::ReadOnly)) {
        head.opened = true;
        head.bytes = program.read(ProgramHeadBytes);
        head.size = program.size();
    }
    return head;
}

} // namespace

bool ServerFileCanReplace(const QString& programPath)
{
    const ProgramHead head = ReadProgramHead(programPath);
    if (!head.opened || head.bytes.size() < ProgramHeadBytes) {
        return true;
    }
    return ReadHeaderStamp(head.bytes).value_or(NoProgramStamp) != NoProgramStamp;
}

UpdateSettings CurrentUpdateSettings()
{
    UpdateSettings settings;
    settings.address = setting::UpdateUrl.Read();
    settings.programPath = QCoreApplication::applicationFilePath();
    settings.workingFolder = appState().workingFolder;
    settings.publicKey = BuiltInUpdateKey();
    settings.autoConfirm = appState().values.autoConfirm;
    return settings;
}

UpdateSession::UpdateSession(UpdateSettings settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings))
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this,
            [this] { stopTransfer(QStringLiteral("The update server did not finish in time.")); });
    m_stall.setSingleShot(true);
    connect(&m_stall, &QTimer::timeout, this, [this] {
        stopTransfer(QStringLiteral("The transfer from the update server stalled: nothing came "
                                    "for %1 seconds.")
                         .arg(m_settings.stallTimeoutMs / 1000.0));
    });
}

UpdateSession::~UpdateSession()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    if (m_busy) {
        user().setBusy(false);
    }
}

void UpdateSession::start()
{
    const Result<QUrl> address = CheckUpdateAddress(m_settings.address);
    if (!address) {
        finish(UpdateOutcome::State::NotChecked, address.error());
        return;
    }
    m_address = *address;
    const QHostAddress host(m_address.host());
    if (m_address.host() == u"localhost" || (!host.isNull() && host.isLoopback())) {
        m_network.setProxy(QNetworkProxy::NoProxy);
    }

    const ProgramHead program = ReadProgramHead(m_settings.programPath);
    if (!program.opened) {
        user().showMessage(QStringLiteral("Open Fail"));
        finish(UpdateOutcome::State::NotChecked,
               QStringLiteral("Cannot open the program file %1.").arg(m_settings.programPath));
        return;
    }
    const QByteArray& head = program.bytes;
    m_programSize = program.size;
    if (head.size() < ProgramHeadBytes) {
        finish(UpdateOutcome::State::NotChecked,
               QStringLiteral("The program file %1 is shorter than %2 bytes.")
                   .arg(m_settings.programPath)
                   .arg(ProgramHeadBytes));
        return;
    }
    m_outcome.localStamp = ReadHeaderStamp(head).value_or(NoProgramStamp);
    m_localKind = ReadExecutableKind(head);

    m_busy = true;
    user().setBusy(true);
    m_head.clear();
    fetch(m_address, m_settings.checkTimeoutMs, &UpdateSession::onCheckData,
          &UpdateSession::onCheckFinished);
}

void UpdateSession::fetch(const QUrl& url, int timeoutMs, Step onData, Step onDone)
{
    m_failure.clear();
    m_visited.clear();
    m_onData = onData;
    m_onDone = onDone;
    m_deadline.start(timeoutMs);
    request(url);
}

void UpdateSession::request(const QUrl& url)
{
    QNetworkRequest request(url);
    // Redirects are followed here, not by Qt's UserVerifiedRedirectPolicy: Qt 6.4 ties
    // redirectAllowed() to its follow-up once more on every hop, so from the second redirect on
    // one approval asks for the next address two, four, eight times, all on one reply whose
    // answers then mix. Here each hop is one request, checked before it is sent.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    // The bytes as the server keeps them, so that their count is the file's length.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("Update search"));

    m_visited << url;
    m_reply = m_network.get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &UpdateSession::onReplyData);
    connect(m_reply, &QNetworkReply::finished, this, &UpdateSession::onReplyFinished);
    m_stall.start(m_settings.stallTimeoutMs);
}

void UpdateSession::onReplyData()
{
    m_stall.start();
    if (RedirectTarget(*m_reply).isEmpty()) { // a redirect's own page is never read
        (this->*m_onData)();
    }
}

void UpdateSession::onReplyFinished()
{
    const QUrl target = RedirectTarget(*m_reply);
    if (m_failure.isEmpty() && m_reply->error() == QNetworkReply::NoError && !target.isEmpty()) {
        const QUrl next = m_reply->url().resolved(target);
        Result<> allowed = CheckRedirect(m_reply->url(), next);
        if (allowed && m_visited.contains(next)) {
            allowed = fail(QStringLiteral("The update server redirected in a loop, back to %1.")
                               .arg(next.toString(QUrl::FullyEncoded)));
        } else if (allowed && m_visited.size() > MaxRedirects) {
            allowed = fail(QStringLiteral("The update server redirected more than %1 times.")
                               .arg(MaxRedirects));
        }
        if (allowed) {
            m_reply->disconnect(this);
            m_reply->deleteLater();
            request(next);
            return;
        }
        m_failure = allowed.error();
    }
    m_deadline.stop();
    m_stall.stop();
    (this->*m_onDone)();
}

void UpdateSession::stopTransfer(const QString& reason)
{
    if (m_reply && m_failure.isEmpty()) {
        m_failure = reason;
        // Queued: Qt may be in the middle of delivering this reply's own error; the reply then
        // finishes with m_failure as the reason.
        QMetaObject::invokeMethod(m_reply, &QNetworkReply::abort, Qt::QueuedConnection);
    }
}

void UpdateSession::onCheckData()
{
    if (HttpStatus(*m_reply) != HttpOk) {
        stopTransfer(QStringLiteral("The update server answered %1.").arg(HttpStatus(*m_reply)));
        return;
    }
    m_head += m_reply->read(ProgramHeadBytes - m_head.size());
    if (m_head.size() >= ProgramHeadBytes) {
        m_reply->abort(); // the check reads no further
    }
}

void UpdateSession::onCheckFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const bool whole = reply->error() == QNetworkReply::NoError && HttpStatus(*reply) == HttpOk;
    if (whole) {
        m_head += reply->read(ProgramHeadBytes - m_head.size());
    }
    m_busy = false;
    user().setBusy(false);

    const bool read = m_failure.isEmpty() && (whole || m_head.size() >= ProgramHeadBytes);
    const std::optional<quint32> stamp = read ? ReadHeaderStamp(m_head) : std::nullopt;
    if (!stamp) {
        const QString reason = !m_failure.isEmpty() ? m_failure
                               : !read              ? reply->errorString()
                                       : QStringLiteral("The server's file has no program header.");
        finish(UpdateOutcome::State::ServerUnread, reason);
        return;
    }
    m_outcome.serverStamp = stamp;
    (void)WriteUpdateKeys(m_outcome.localStamp, *stamp); // a failed write changes nothing here
    if (*stamp <= m_outcome.localStamp) {
        user().setProgress(0, GetLangText(TextRow::NoNewVersion), true);
        finish(UpdateOutcome::State::NotNewer);
        return;
    }
    if (!m_settings.download) {
        finish(UpdateOutcome::State::Newer);
        return;
    }
    const QString folder = QFileInfo(m_settings.programPath).absolutePath();
    if (!QFileInfo(folder).isWritable()) {
        finish(UpdateOutcome::State::NotWritable,
               QStringLiteral("A newer version is on the server, but this installation cannot "
                              "update itself: %1 cannot be written.")
                   .arg(QDir::toNativeSeparators(folder)));
        return;
    }
    // The question box runs its own event loop; not from inside the reply's signal.
    QTimer::singleShot(0, this, &UpdateSession::askAndDownload);
}

void UpdateSession::askAndDownload()
{
    if (!m_settings.autoConfirm &&
        user().askYesNo(GetLangText(TextRow::Upgrading),
                        GetLangText(TextRow::NewVersionQuestion)) != UserInterface::Yes) {
        finish(UpdateOutcome::State::Declined);
        return;
    }
    startDownload();
}

void UpdateSession::startDownload()
{
    const QString folder = QDir(m_settings.workingFolder).filePath(QStringLiteral("tmp"));
    if (Result<> made = platform::makePrivateFolders(folder); !made) {
        failDownload(made.error());
        return;
    }
    // A file left by an earlier download must never pass for this one.
    const QString finalPath = DownloadedProgramPath(m_settings.workingFolder);
    const QFileInfo earlier(finalPath);
    if ((earlier.exists() || earlier.isSymLink()) && !QFile::remove(finalPath)) {
        failDownload(QStringLiteral("Cannot remove the earlier download %1.").arg(finalPath));
        return;
    }
    auto staged = platform::createStagedFile(folder, earlier.fileName());
    if (!staged) {
        failDownload(staged.error());
        return;
    }
    m_file = std::move(*staged);
    m_head.clear();
    m_shownPercent = 0;
    user().setProgress(0, {}, true);
    fetch(m_address, m_settings.downloadTimeoutMs, &UpdateSession::onDownloadData,
          &UpdateSession::onDownloadFinished);
}

void UpdateSession::onDownloadData()
{
    (void)takeDownloadBytes(); // a refused chunk has already stopped the transfer
}

bool UpdateSession::takeDownloadBytes()
{
    if (!m_failure.isEmpty()) {
        return false;
    }
    const int status = HttpStatus(*m_reply);
    if (status != HttpOk) {
        stopTransfer(QStringLiteral("The update server answered %1 to the download.").arg(status));
        return false;
    }
    const QByteArray chunk = m_reply->readAll();
    if (m_file->size() + chunk.size() > m_settings.maxBytes) {
        stopTransfer(
            QStringLiteral("The new version is larger than %1 bytes.").arg(m_settings.maxBytes));
        return false;
    }
    if (const Result<> written = m_file->append(chunk); !written) {
        stopTransfer(written.error());
        return false;
    }
    if (m_head.size() < ProgramHeadBytes) {
        m_head += chunk.left(ProgramHeadBytes - m_head.size());
    }
    // 64 bits: a large file times 100 overflows an int long before it ends.
    const qint64 percent = qMin<qint64>(m_file->size() * 100 / qMax<qint64>(m_programSize, 1), 99);
    if (percent != m_shownPercent) {
        m_shownPercent = static_cast<int>(percent);
        user().setProgress(m_shownPercent, {}, true);
    }
    return true;
}

void UpdateSession::onDownloadFinished()
{
    QNetworkReply* reply = m_reply;
    reply->deleteLater();
    if (m_failure.isEmpty() && reply->error() != QNetworkReply::NoError) {
        m_failure = QStringLiteral("The download failed: %1").arg(reply->errorString());
    }
    const bool taken = m_failure.isEmpty() && takeDownloadBytes();
    m_reply = nullptr;
    if (!taken) {
        failDownload(m_failure);
        return;
    }
    const qint64 size = m_file->size();
    const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
    if (declared.isValid() && declared.toLongLong() != size) {
        failDownload(QStringLiteral("The download ended after %1 of %2 bytes.")
                         .arg(size)
                         .arg(declared.toLongLong()));
        return;
    }
    if (size < m_programSize / 2) {
        failDownload(QStringLiteral("The download has %1 bytes, less than half of the running "
                                    "program's %2.")
                         .arg(size)
                         .arg(m_programSize));
        return;
    }
    const std::optional<quint32> stamp = ReadHeaderStamp(m_head);
    if (stamp != m_outcome.serverStamp) {
        failDownload(QStringLiteral("The downloaded file's stamp %1 is not the %2 the check saw.")
                         .arg(stamp ? StampHex(*stamp) : QStringLiteral("(none)"),
                              StampHex(*m_outcome.serverStamp)));
        return;
    }
    if (!m_localKind.known() || ReadExecutableKind(m_head) != m_localKind) {
        failDownload(QStringLiteral("The downloaded file is no program for this system."));
        return;
    }
    m_signature.clear();
    fetch(SignatureAddress(m_address), m_settings.checkTimeoutMs, &UpdateSession::onSignatureData,
          &UpdateSession::onSignatureFinished);
}

void UpdateSession::onSignatureData()
{
    m_signature += m_reply->readAll();
    if (m_signature.size() > MaxSignatureBytes) {
        stopTransfer(QStringLiteral("The signature of the new version is too long."));
    }
}

void UpdateSession::onSignatureFinished()
{
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    if (m_failure.isEmpty() &&
        (reply->error() != QNetworkReply::NoError || HttpStatus(*reply) != HttpOk)) {
        m_failure = QStringLiteral("The signature of the new version could not be fetched: %1")
                        .arg(reply->errorString());
    }
    if (!m_failure.isEmpty()) {
        failDownload(m_failure);
        return;
    }
    m_signature += reply->readAll();
    const Result<QByteArray> content =
        platform::readRegularFile(m_file->temporaryPath(), m_settings.maxBytes);
    if (!content) {
        failDownload(content.error());
        return;
    }
    if (const Result<> verified =
            VerifyUpdateSignature(*content, m_signature, m_settings.publicKey);
        !verified) {
        failDownload(verified.error());
        return;
    }
    if (const Result<> committed = m_file->commit(DownloadedProgramPath(m_settings.workingFolder));
        !committed) {
        failDownload(committed.error());
        return;
    }
    m_file.reset();
    m_outcome.versionText =
        NewVersionText(ReadFileVersion(*content).value_or(FileVersion{}), content->size());
    user().setProgress(100, m_outcome.versionText, true);
    appState().updateReady = true;
    if (!m_settings.autoConfirm) {
        user().showMessage(GetLangText(TextRow::ToolUpdated));
    }
    finish(UpdateOutcome::State::Downloaded);
}

void UpdateSession::failDownload(const QString& reason)
{
    m_file.reset(); // takes the partial file with it
    user().setProgress(0, {}, false);
    user().showMessage(reason);
    finish(UpdateOutcome::State::Failed, reason);
}

void UpdateSession::finish(UpdateOutcome::State state, const QString& reason)
{
    if (m_busy) {
        m_busy = false;
        user().setBusy(false);
    }
    m_outcome.state = state;
    m_outcome.reason = reason;
    emit done();
}

} // namespace trek

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

namespace trek::test {

// How the server answers one request.
struct Answer
{
    int status = 200;
    QByteArray body{};
    QByteArray location{};     // a Location header, for redirects
    bool declareLength = true; // a Content-Length header with the whole body's length
    qsizetype sendBytes = -1;  // closes the connection after this many bytes of the body
    int trickleBytes = 0;      // with trickleMs: sends the body this many bytes at a time
    int trickleMs = 0;
};

// An HTTP server on 127.0.0.1 that a test starts and tells what to answer, one connection per
// request. It runs on the test's event loop, so the test must let that loop run.
class LoopbackServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoopbackServer)
public:
    LoopbackServer();
    ~LoopbackServer() override = default;

    // "http://127.0.0.1:PORT" and the path, as sent.
    QString url(const QByteArray& path) const;
    // The answers to requests for `path` in order; the last one is repeated.
    void serve(const QByteArray& path, QList<Answer> answers);

    QList<QByteArray> requests; // the paths asked for, in order
    int connections = 0;

private:
    void onConnection();
    void answer(class QTcpSocket* socket, const QByteArray& path);

    QTcpServer m_server;
    QHash<QByteArray, QList<Answer>> m_answers;
    QHash<QByteArray, int> m_served;
};

} // namespace trek::test

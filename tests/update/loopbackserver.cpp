// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopbackserver.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

namespace trek::test {

LoopbackServer::LoopbackServer()
{
    EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost)) << "no port on 127.0.0.1";
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::onConnection);
}

QString LoopbackServer::url(const QByteArray& path) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()) +
           QString::fromLatin1(path);
}

void LoopbackServer::serve(const QByteArray& path, QList<Answer> answers)
{
    m_answers[path] = std::move(answers);
    m_served[path] = 0;
}

void LoopbackServer::onConnection()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++connections;
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            QByteArray received = socket->property("received").toByteArray() + socket->readAll();
            socket->setProperty("received", received);
            if (!received.contains("\r\n\r\n") || socket->property("answered").toBool()) {
                return;
            }
            socket->setProperty("answered", true);
            const QList<QByteArray> requestLine =
                received.left(received.indexOf("\r\n")).split(' ');
            answer(socket, requestLine.value(1));
        });
    }
}

void LoopbackServer::answer(QTcpSocket* socket, const QByteArray& path)
{
    requests << path;
    Answer reply;
    reply.status = 404;
    if (const auto found = m_answers.constFind(path); found != m_answers.constEnd()) {
        const int index = qMin(m_served[path]++, static_cast<int>(found->size()) - 1);
        reply = found->at(index);
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + " Whatever\r\n";
    if (!reply.location.isEmpty()) {
        head += "Location: " + reply.location + "\r\n";
    }
    if (reply.declareLength) {
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    socket->write(head);
    const QByteArray body = reply.sendBytes >= 0 ? reply.body.left(reply.sendBytes) : reply.body;
    if (reply.trickleBytes <= 0) {
        socket->write(body);
        socket->disconnectFromHost();
        return;
    }
    auto* timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    QPointer<QTcpSocket> alive(socket);
    connect(timer, &QTimer::timeout, socket, [timer, alive, body, sent, reply] {
        if (!alive || alive->state() != QAbstractSocket::ConnectedState) {
            timer->stop();
            return;
        }
        alive->write(body.mid(*sent, reply.trickleBytes));
        *sent += reply.trickleBytes;
        if (*sent >= body.size()) {
            timer->stop();
            alive->disconnectFromHost();
        }
    });
    timer->start(reply.trickleMs);
}

} // namespace trek::test

#pragma once

// A small HTTP/1.1 server on 127.0.0.1 for the banner tests. Each path has
// an answer: a status and a body, or silence (the request is read and never
// answered). It records the paths asked for.
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class LocalHttpServer {
  public:
    struct Answer {
        int status = 200;
        QByteArray body;
        bool silent = false;
        // Without a Content-Length the body simply runs until the
        // connection closes, so its size is known only once it has come.
        bool announceLength = true;
        QByteArray extraHeaders;  // whole lines, each ending in CR LF
        // When above 0, the body goes out one byte at each such interval.
        int trickleMs = 0;
    };

    static Answer reply(int status, const QByteArray& body, bool announceLength = true,
                        const QByteArray& extraHeaders = {}) {
        Answer answer;
        answer.status = status;
        answer.body = body;
        answer.announceLength = announceLength;
        answer.extraHeaders = extraHeaders;
        return answer;
    }
    static Answer trickle(const QByteArray& body, int intervalMs) {
        Answer answer = reply(200, body);
        answer.trickleMs = intervalMs;
        return answer;
    }
    static Answer silence() {
        Answer answer;
        answer.silent = true;
        return answer;
    }

    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { accept(); });
    }

    bool isListening() const { return server_.isListening(); }

    // Whether a client here can reach a server on 127.0.0.1. With the
    // loopback interface down (a network namespace of its own, as offline
    // builders give) a server still listens, but no connection gets through.
    static bool loopbackWorks() {
        QTcpServer listener;
        if (!listener.listen(QHostAddress::LocalHost)) {
            return false;
        }
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, listener.serverPort());
        return probe.waitForConnected(5000);
    }
    QString address(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    void setAnswer(const QString& path, const Answer& answer) { answers_[path] = answer; }
    void serve(const QString& path, const QByteArray& body) { setAnswer(path, reply(200, body)); }

    const QStringList& requests() const { return requests_; }
    // For each connection that has closed: how many bytes had gone out to the
    // client when it closed, answer head included.
    const QList<qint64>& sentAtClose() const { return sentAtClose_; }
    int connections() const { return connections_; }

  private:
    void accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections_;
            QObject::connect(socket, &QTcpSocket::bytesWritten, socket,
                             [this, socket](qint64 bytes) { sent_[socket] += bytes; });
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { readRequest(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                received_.remove(socket);
                sentAtClose_.append(sent_.take(socket));
                socket->deleteLater();
            });
        }
    }

    void readRequest(QTcpSocket* socket) {
        QByteArray& pending = received_[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0) {
            return;
        }
        const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
        pending = pending.mid(end + 4);
        const QString path =
            requestLine.size() >= 2 ? QString::fromLatin1(requestLine.at(1)) : QString();
        requests_.append(path);
        const Answer answer = answers_.value(path, reply(404, "no such picture"));
        if (answer.silent) {
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " " +
                          (answer.status == 200 ? "OK" : "Error") + "\r\n" +
                          "Content-Type: image/gif\r\n";
        if (answer.announceLength) {
            head += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
        }
        head += answer.extraHeaders + "Connection: close\r\n\r\n";
        socket->write(head);
        if (answer.trickleMs > 0) {
            auto* drip = new QTimer(socket);
            QObject::connect(drip, &QTimer::timeout, socket,
                             [socket, drip, body = answer.body, next = qsizetype(0)]() mutable {
                                 socket->write(body.mid(next++, 1));
                                 if (next >= body.size()) {
                                     drip->stop();
                                     socket->disconnectFromHost();
                                 }
                             });
            drip->start(answer.trickleMs);
            return;
        }
        socket->write(answer.body);
        socket->disconnectFromHost();
    }

    QHash<QString, Answer> answers_;
    QHash<QTcpSocket*, QByteArray> received_;
    QStringList requests_;
    QHash<QTcpSocket*, qint64> sent_;
    QList<qint64> sentAtClose_;
    int connections_ = 0;
    // Last, so that it goes first: its sockets still report to the members
    // above while they close.
    QTcpServer server_;
};

#include "zazusender.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtEndian>
#include <cstring>

namespace {
constexpr int kBatch = 4096;
}

void ZazuSender::run()
{
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        failed = true;
        return;
    }
    port = server.serverPort();
    listening = true;
    if (!server.waitForNewConnection(10000)) {
        failed = true;
        return;
    }
    QTcpSocket *s = server.nextPendingConnection();
    QByteArray batch(kBatch * kFrame, Qt::Uninitialized);
    char *p = batch.data();
    for (int i = 0; i < kBatch; ++i) {
        char *f = p + i * kFrame;
        for (int c = 4; c < kChannels; ++c)
            qToLittleEndian(float(c), f + c * 4);
        std::memcpy(f + kChannels * 4, "\x00\x00\x80\x7f", 4);
    }
    QElapsedTimer clock;
    clock.start();
    qint64 row = 0;
    while (clock.elapsed() < seconds * 1000 && s->state() == QAbstractSocket::ConnectedState) {
        for (int i = 0; i < kBatch; ++i, ++row) {
            char *f = p + i * kFrame;
            for (int b = 0; b < 4; ++b)
                qToLittleEndian(float((row >> (8 * b)) & 0xFF), f + 4 * b);
        }
        s->write(batch);
        while (s->bytesToWrite() > 4 * batch.size() && s->state() == QAbstractSocket::ConnectedState)
            s->waitForBytesWritten(100);
    }
    while (s->bytesToWrite() > 0 && s->state() == QAbstractSocket::ConnectedState)
        s->waitForBytesWritten(100);
    rows = row;
    done = true;
    if (close_when_done) {
        s->disconnectFromHost();
        if (s->state() != QAbstractSocket::UnconnectedState)
            s->waitForDisconnected(10000);
        return;
    }
    while (s->state() == QAbstractSocket::ConnectedState)
        s->waitForDisconnected(100);
}

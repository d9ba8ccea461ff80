#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>

namespace tally {

namespace {

constexpr int kAnswerMilliseconds = 2000;
const char kActivate[] = "activate\n";

// The server's name: the same for every program started on this data folder.
QString serverName(const QString& dataFolder) {
    QByteArray folder = QDir(dataFolder).absolutePath().toUtf8();
    QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex();
    return QStringLiteral("tally-%1").arg(QString::fromLatin1(hash.left(16)));
}

}  // namespace

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent),
      m_serverName(serverName(dataFolder)),
      m_lock(QDir(dataFolder).filePath(QStringLiteral(".tally.lock"))) {
    // Only a lock whose program has died is taken over, however old a live one is.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            // The request may arrive with the connection or only as it closes.
            auto answer = [this, socket] {
                if (socket->readAll().startsWith(kActivate)) emit activationRequested();
            };
            connect(socket, &QLocalSocket::readyRead, this, answer);
            connect(socket, &QLocalSocket::disconnected, this, [socket, answer] {
                answer();
                socket->deleteLater();
            });
            if (socket->bytesAvailable() > 0) answer();
        }
    });
}

SingleInstance::Start SingleInstance::acquire() {
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    bool locked = m_lock.tryLock(0);
    // A folder the lock cannot be written in cannot be shared either; saving will say why.
    if (locked || m_lock.error() != QLockFile::LockFailedError) {
        // A server left behind by a program that died would stop this one listening.
        QLocalServer::removeServer(m_serverName);
        m_server.listen(m_serverName);
        return Start::First;
    }
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kAnswerMilliseconds)) return Start::AnotherUnreachable;
    socket.write(kActivate);
    socket.waitForBytesWritten(kAnswerMilliseconds);
    socket.disconnectFromServer();
    return Start::AnotherRunning;
}

}  // namespace tally

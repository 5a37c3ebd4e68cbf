// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/singleinstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace zw {

namespace {

constexpr int kConnectWaitMs = 1000;
const QByteArray kRaise = "raise\n";

QString RuntimeDirectory() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) {
    dir = QDir::tempPath();
  }
  return dir;
}

}  // namespace

CSingleInstance::CSingleInstance(QString directory, QObject* parent)
    : QObject(parent), m_directory(directory.isEmpty() ? RuntimeDirectory() : directory) {}

CSingleInstance::~CSingleInstance() {
  Release();
}

QString CSingleInstance::LockPath() const {
  return m_directory + QLatin1Char('/') + QLatin1String(kLockName);
}

QString CSingleInstance::SocketPath() const {
  return LockPath() + QStringLiteral(".socket");
}

bool CSingleInstance::Acquire() {
  QDir().mkpath(m_directory);
  // flock, unlike a file that merely exists, goes away with the process: a crashed copy
  // never blocks the next start.
  m_lockFd = ::open(QFile::encodeName(LockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_lockFd < 0) {
    // Without a lock file there is no way to tell; running twice beats not running.
    return true;
  }
  if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
    ::close(m_lockFd);
    m_lockFd = -1;
    AskRunningCopy();
    return false;
  }
  QLocalServer::removeServer(SocketPath());
  m_server = std::make_unique<QLocalServer>();
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (peer->readAll().contains("raise")) {
          emit activationRequested();
        }
        peer->disconnectFromServer();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  m_server->listen(SocketPath());
  return true;
}

void CSingleInstance::AskRunningCopy() const {
  QLocalSocket socket;
  socket.connectToServer(SocketPath());
  if (!socket.waitForConnected(kConnectWaitMs)) {
    return;
  }
  socket.write(kRaise);
  socket.waitForBytesWritten(kConnectWaitMs);
  socket.disconnectFromServer();
}

void CSingleInstance::Release() {
  if (m_server) {
    m_server->close();
    m_server.reset();
  }
  if (m_lockFd >= 0) {
    ::flock(m_lockFd, LOCK_UN);
    ::close(m_lockFd);
    m_lockFd = -1;
  }
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace zw {

// Keeps a second copy of the program from starting: the first copy holds a lock on the file
// "ZonewrightMutex" in the user's runtime directory and listens on a local socket beside it;
// a later copy finds the lock taken, asks the first to come forward, and ends.
class CSingleInstance : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kLockName = "ZonewrightMutex";

  // directory: where the lock and the socket live; empty means the runtime directory.
  explicit CSingleInstance(QString directory = {}, QObject* parent = nullptr);
  ~CSingleInstance() override;

  // True when this is the only running copy; otherwise the running one has been asked to
  // come forward.
  bool Acquire();
  // Gives the lock up, so a copy started next (a restart) does not take itself for a second.
  void Release();

  QString LockPath() const;
  QString SocketPath() const;

 signals:
  // Another copy started and wants this one in front.
  void activationRequested();

 private:
  void AskRunningCopy() const;

  QString m_directory;
  int m_lockFd = -1;
  std::unique_ptr<QLocalServer> m_server;
};

}  // namespace zw

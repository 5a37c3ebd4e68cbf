// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThread>
#include <chrono>
#include <mutex>
#include <string>

#include "net/netmessage.h"

namespace zw {

class CQtSocketEvents;
class IMessageSink;

// The FTP worker: a thread with its own event loop in which the FTP window and its sockets
// live. The dialog talks to the window only through the calls below and Close; the window's
// messages come back as this object's signals, emitted on the worker's thread, so the dialog
// connects to them queued. The socket layer's message boxes are calls queued to the dialog's
// thread. Destroying the thread closes the window first.
class CFtpThread final : public QThread {
  Q_OBJECT

 public:
  // dialog: the thread the socket layer's failures are shown on, through `messages`; it must
  // outlive the thread.
  CFtpThread(QObject* dialog, IMessageSink& messages);
  ~CFtpThread() override;

  // Handled by the window in the order called. Calls before ready() or after the window has
  // closed are dropped.
  void ClearFiles();
  // One file to fetch: its remote name, its local temporary file and its name in progress
  // lines.
  // optional: the server may lack the file without the run failing.
  void AddFile(const std::string& remote, const std::string& local, const std::string& label,
               bool optional = false);
  void ConnectTo(const std::string& directory);
  // Destroys the window with its sockets and open file, and waits for the thread's end.
  void Close();

  // How long one reply or a silent data connection may keep the run waiting.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

 signals:
  // The window exists and takes calls.
  void ready();
  // A progress line; kind is an FtpStatusKind.
  void status(int kind, const std::string& text);
  void loggedOn();
  // The run is over; after a success the window has closed itself.
  void transferDone(bool success);

  // What the calls above hand to the window's thread.
  void clearRequested();
  void fileAdded(const std::string& remote, const std::string& local, const std::string& label,
                 bool optional);
  void connectRequested(const std::string& directory);

 protected:
  void run() override;

 private:
  class Host;

  // Emits `request` while the window takes calls.
  template <typename Emit>
  void Request(Emit emitRequest);

  QObject* m_dialog;
  IMessageSink& m_messages;
  std::chrono::milliseconds m_timeout;
  // Guards the window's state, which exists only while the window does.
  std::mutex m_mutex;
  bool m_taking = false;
  CQtSocketEvents* m_events = nullptr;
  bool m_closing = false;
};

}  // namespace zw

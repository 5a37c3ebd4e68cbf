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
// live. The dialog talks to the window only through Send and Close; the window's messages come
// back to the dialog as CNetEvent, the socket layer's message boxes as calls queued to the
// dialog's thread. Destroying the thread closes the window first.
class CFtpThread final : public QThread {
  Q_OBJECT

 public:
  // dialog: receives the window's messages, beginning with kReady once the window takes
  // messages; it must outlive the thread. messages: shows the socket layer's failures, on the
  // dialog's thread.
  CFtpThread(QObject* dialog, IMessageSink& messages);
  ~CFtpThread() override;

  // kClear, kAddRemote, kAddLocal, kAddLabel or kConnect, handled in the order sent.
  // Messages before kReady or after the window has closed are dropped.
  void Send(NetMessage message, std::string text = {});
  // Destroys the window with its sockets and open file, and waits for the thread's end.
  void Close();

  // How long one reply or a silent data connection may keep the run waiting.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

 protected:
  void run() override;

 private:
  class Host;
  class Receiver;

  QObject* m_dialog;
  IMessageSink& m_messages;
  std::chrono::milliseconds m_timeout;
  // Guards the two pointers, which exist only while the window does.
  std::mutex m_mutex;
  QObject* m_receiver = nullptr;
  CQtSocketEvents* m_events = nullptr;
  bool m_closing = false;
};

}  // namespace zw

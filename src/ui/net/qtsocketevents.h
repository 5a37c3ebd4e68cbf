// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <atomic>
#include <map>
#include <memory>
#include <unordered_map>

#include "net/socketevents.h"

class QAbstractEventDispatcher;
class QSocketNotifier;
class QTimer;

namespace zw {

// Socket events from the Qt event loop of the thread that creates this object: a
// QSocketNotifier per descriptor and direction, queued calls and single-shot timers.
class CQtSocketEvents final : public ISocketEvents {
 public:
  CQtSocketEvents();
  ~CQtSocketEvents() override;
  CQtSocketEvents(const CQtSocketEvents&) = delete;
  CQtSocketEvents& operator=(const CQtSocketEvents&) = delete;

  void Watch(CTcpSocket& socket, int fd, bool read, bool write) override;
  void Forget(CTcpSocket& socket) override;
  void Post(std::function<void()> task) override;
  int StartTimer(std::chrono::milliseconds delay, std::function<void()> task) override;
  void StopTimer(int id) override;
  bool WaitForEvents(std::chrono::milliseconds limit) override;

  // From any thread: every wait gives up, now and from then on.
  void Stop();

 private:
  // Notifiers and timers may go while one of them is being handled, so they are deleted
  // once control is back in the event loop.
  struct DeleteLater {
    void operator()(QObject* object) const;
  };
  using NotifierPtr = std::unique_ptr<QSocketNotifier, DeleteLater>;
  struct Notifiers {
    NotifierPtr read;
    NotifierPtr write;
  };

  NotifierPtr MakeNotifier(CTcpSocket& socket, int fd, bool read);

  // Owns the notifiers and timers, so whatever is left goes with this object.
  QObject m_context;
  QAbstractEventDispatcher* m_dispatcher;
  std::unordered_map<CTcpSocket*, Notifiers> m_sockets;
  std::map<int, std::unique_ptr<QTimer, DeleteLater>> m_timers;
  int m_lastTimer = 0;
  std::atomic<bool> m_stopping{false};
};

}  // namespace zw

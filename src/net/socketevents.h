// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

namespace zw {

class CTcpSocket;

// The thread a socket lives on, as its sockets see it: readiness of their descriptors, work
// queued for later, timers, and a wait during which all of that keeps flowing. Every call
// comes from that one thread.
class ISocketEvents {
 public:
  virtual ~ISocketEvents() = default;
  // Replaces what `socket` waits for on `fd`; readiness arrives as its OnReadable and
  // OnWritable.
  virtual void Watch(CTcpSocket& socket, int fd, bool read, bool write) = 0;
  // No more calls for `socket`. Safe from within one of its own calls.
  virtual void Forget(CTcpSocket& socket) = 0;
  // Runs `task` once the event being handled is done.
  virtual void Post(std::function<void()> task) = 0;
  // Runs `task` once after `delay` unless stopped first; returns an id above 0.
  virtual int StartTimer(std::chrono::milliseconds delay, std::function<void()> task) = 0;
  // Safe from within the timer's own task.
  virtual void StopTimer(int id) = 0;
  // Waits at most `limit` for events and handles what has come. False once the thread is
  // being shut down: a caller waiting for something should give up then.
  virtual bool WaitForEvents(std::chrono::milliseconds limit) = 0;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <unordered_map>

#include "net/socketevents.h"

namespace zw::test {

// Socket events for tests without Qt: one poll() over the watched descriptors, a task
// queue and timers, driven by the test itself.
class PollSocketEvents final : public ISocketEvents {
 public:
  void Watch(CTcpSocket& socket, int fd, bool read, bool write) override;
  void Forget(CTcpSocket& socket) override;
  void Post(std::function<void()> task) override;
  int StartTimer(std::chrono::milliseconds delay, std::function<void()> task) override;
  void StopTimer(int id) override;
  bool WaitForEvents(std::chrono::milliseconds limit) override;

  // Handles events until `done` holds or `limit` has passed; returns `done()`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);
  // As a thread being shut down: every wait gives up.
  void Stop() { m_stopped = true; }
  // Sockets that have not been forgotten.
  std::size_t Sockets() const { return m_sockets.size(); }
  std::size_t Timers() const { return m_timers.size(); }

 private:
  struct Entry {
    int fd;
    bool read;
    bool write;
    std::uint64_t serial;  // tells a socket from a later one at the same address
  };
  struct Timer {
    std::chrono::steady_clock::time_point due;
    std::function<void()> task;
  };

  bool Current(CTcpSocket* socket, std::uint64_t serial) const;
  void FireDueTimers();

  std::unordered_map<CTcpSocket*, Entry> m_sockets;
  std::deque<std::function<void()>> m_tasks;
  std::map<int, Timer> m_timers;
  int m_lastTimer = 0;
  std::uint64_t m_lastSerial = 0;
  bool m_stopped = false;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/pollsocketevents.h"

#include <poll.h>

#include <algorithm>
#include <vector>

#include "net/tcpsocket.h"

namespace zw::test {

void PollSocketEvents::Watch(CTcpSocket& socket, int fd, bool read, bool write) {
  auto found = m_sockets.find(&socket);
  if (found == m_sockets.end()) {
    m_sockets.emplace(&socket, Entry{fd, read, write, ++m_lastSerial});
    return;
  }
  found->second.read = read;
  found->second.write = write;
}

void PollSocketEvents::Forget(CTcpSocket& socket) {
  m_sockets.erase(&socket);
}

void PollSocketEvents::Post(std::function<void()> task) {
  m_tasks.push_back(std::move(task));
}

int PollSocketEvents::StartTimer(std::chrono::milliseconds delay, std::function<void()> task) {
  const int id = ++m_lastTimer;
  m_timers.emplace(id, Timer{std::chrono::steady_clock::now() + delay, std::move(task)});
  return id;
}

void PollSocketEvents::StopTimer(int id) {
  m_timers.erase(id);
}

bool PollSocketEvents::Current(CTcpSocket* socket, std::uint64_t serial) const {
  const auto found = m_sockets.find(socket);
  return found != m_sockets.end() && found->second.serial == serial;
}

bool PollSocketEvents::WaitForEvents(std::chrono::milliseconds limit) {
  if (m_stopped) {
    return false;
  }
  if (!m_tasks.empty()) {
    const std::function<void()> task = std::move(m_tasks.front());
    m_tasks.pop_front();
    task();
    return !m_stopped;
  }
  std::vector<pollfd> fds;
  std::vector<std::pair<CTcpSocket*, std::uint64_t>> owners;
  for (const auto& [socket, entry] : m_sockets) {
    if (!entry.read && !entry.write) {
      continue;
    }
    const short events =
        static_cast<short>((entry.read ? POLLIN : 0) | (entry.write ? POLLOUT : 0));
    fds.push_back({entry.fd, events, 0});
    owners.emplace_back(socket, entry.serial);
  }
  auto wait = limit;
  const auto now = std::chrono::steady_clock::now();
  for (const auto& [id, timer] : m_timers) {
    wait = std::min(wait, std::chrono::ceil<std::chrono::milliseconds>(
                              std::max(timer.due - now, std::chrono::steady_clock::duration{})));
  }
  ::poll(fds.data(), fds.size(), static_cast<int>(wait.count()));
  for (std::size_t i = 0; i < fds.size(); ++i) {
    const auto [socket, serial] = owners[i];
    const short ready = fds[i].revents;
    if ((ready & (POLLIN | POLLHUP | POLLERR)) != 0 && Current(socket, serial) &&
        m_sockets.at(socket).read) {
      socket->OnReadable();
    }
    if ((ready & (POLLOUT | POLLHUP | POLLERR)) != 0 && Current(socket, serial) &&
        m_sockets.at(socket).write) {
      socket->OnWritable();
    }
  }
  FireDueTimers();
  return !m_stopped;
}

void PollSocketEvents::FireDueTimers() {
  const auto now = std::chrono::steady_clock::now();
  std::vector<int> due;
  for (const auto& [id, timer] : m_timers) {
    if (timer.due <= now) {
      due.push_back(id);
    }
  }
  for (int id : due) {
    const auto found = m_timers.find(id);
    if (found == m_timers.end()) {
      continue;
    }
    const std::function<void()> task = std::move(found->second.task);
    m_timers.erase(found);
    task();
  }
}

bool PollSocketEvents::RunUntil(const std::function<bool()>& done,
                                std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !WaitForEvents(std::min(left, std::chrono::milliseconds(100)))) {
      return done();
    }
  }
  return true;
}

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/daytimeserver.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace zw::test {

namespace {

constexpr std::chrono::seconds kLimit{5};

}  // namespace

DaytimeServer::DaytimeServer(std::string reply, bool held)
    : m_reply(std::move(reply)), m_held(held) {
  m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (m_listener < 0 ||
      ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m_listener, 1) != 0 ||
      ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  m_port = ntohs(address.sin_port);
  m_thread = std::thread([this] { Serve(); });
}

DaytimeServer::~DaytimeServer() {
  Release();
  if (m_thread.joinable()) {
    m_thread.join();
  }
  if (m_listener >= 0) {
    ::close(m_listener);
  }
}

std::string DaytimeServer::Address() const {
  std::string text = "127.0.0.1:";
  text += std::to_string(m_port);
  return text;
}

void DaytimeServer::Release() {
  const std::lock_guard lock(m_mutex);
  m_held = false;
  m_changed.notify_all();
}

bool DaytimeServer::WaitForClient() {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, kLimit, [this] { return m_connected; });
}

void DaytimeServer::Serve() {
  pollfd waiting{m_listener, POLLIN, 0};
  if (::poll(&waiting, 1, static_cast<int>(std::chrono::milliseconds(kLimit).count())) <= 0) {
    return;
  }
  const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
  if (client < 0) {
    return;
  }
  {
    std::unique_lock lock(m_mutex);
    m_connected = true;
    m_changed.notify_all();
    m_changed.wait_for(lock, kLimit, [this] { return !m_held; });
  }
  ::send(client, m_reply.data(), m_reply.size(), MSG_NOSIGNAL);
  ::close(client);
}

}  // namespace zw::test

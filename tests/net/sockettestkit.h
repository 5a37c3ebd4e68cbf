// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arpa/inet.h>
#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/tcpsocket.h"

namespace zw::test {

// A plain loopback listener for a test's side of a connection.
class PlainListener {
 public:
  explicit PlainListener(int backlog = 4) {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    ::listen(m_fd, backlog);
    ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
  }
  ~PlainListener() { ::close(m_fd); }
  PlainListener(const PlainListener&) = delete;
  PlainListener& operator=(const PlainListener&) = delete;

  std::uint16_t Port() const { return m_port; }
  // The next connection, or -1 after a second without one.
  int Accept() {
    pollfd waiting{m_fd, POLLIN, 0};
    if (::poll(&waiting, 1, 1000) <= 0) {
      return -1;
    }
    return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
  }

 private:
  int m_fd = -1;
  std::uint16_t m_port = 0;
};

// A loopback port on which nothing listens.
inline std::uint16_t ClosedPort() {
  const PlainListener listener;
  return listener.Port();
}

// Plain connect to a loopback port; -1 on failure.
inline int PlainConnect(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

inline void SendAll(int fd, const std::string& text) {
  ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

// The process's open sockets, to see that a run left none behind.
inline int OpenSockets() {
  int count = 0;
  DIR* fds = ::opendir("/proc/self/fd");
  if (fds == nullptr) {
    return -1;
  }
  while (const dirent* entry = ::readdir(fds)) {
    char target[64] = {};
    const std::string path = std::string("/proc/self/fd/") + entry->d_name;
    if (::readlink(path.c_str(), target, sizeof target - 1) > 0 &&
        std::string(target).starts_with("socket:")) {
      ++count;
    }
  }
  ::closedir(fds);
  return count;
}

// Records a socket's notifications; keeps accepted sockets alive.
class RecordingTarget final : public ISocketTarget {
 public:
  struct Notice {
    unsigned message;
    int code;
    std::string bytes;
  };

  void OnSocketNotify(unsigned message, SocketNotice notice) override {
    m_notices.push_back(
        {message, notice.code, std::string(notice.bytes.begin(), notice.bytes.end())});
    if (notice.accepted) {
      m_accepted.push_back(std::move(notice.accepted));
    }
  }

  const std::vector<Notice>& Notices() const { return m_notices; }
  std::vector<std::unique_ptr<CTcpSocket>>& Accepted() { return m_accepted; }
  std::string Received() const {
    std::string all;
    for (const Notice& n : m_notices) {
      all += n.bytes;
    }
    return all;
  }

 private:
  std::vector<Notice> m_notices;
  std::vector<std::unique_ptr<CTcpSocket>> m_accepted;
};

}  // namespace zw::test

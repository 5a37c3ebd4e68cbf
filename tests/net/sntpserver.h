#pragma once

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "net/sntppacket.h"

namespace zw::test {

using Bytes = std::vector<std::uint8_t>;

// An SNTP server on a free loopback port that answers one request with what `answer` makes
// of it, within a few seconds or not at all.
struct SntpServer {
  explicit SntpServer(std::function<Bytes(const Bytes&)> answer) {
    sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    thread = std::thread([this, answer = std::move(answer)] {
      pollfd waiting{fd, POLLIN, 0};
      Bytes request(512);
      sockaddr_in client{};
      socklen_t size = sizeof client;
      if (::poll(&waiting, 1, 5000) > 0 &&
          ::recvfrom(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&client),
                     &size) >= 48) {
        const Bytes reply = answer(request);
        ::sendto(fd, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&client), size);
      }
    });
  }
  ~SntpServer() {
    thread.join();
    ::close(fd);
  }
  std::string Address() const { return "ntp:127.0.0.1:" + std::to_string(port); }

  int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  std::uint16_t port = 0;
  std::thread thread;
};

// A sound server's reply (version 4, stratum 1) to `request`: its clock `ahead` of the
// request's stamp, answering `held` after receiving.
inline Bytes Reply(const Bytes& request, std::int64_t ahead, std::int64_t held = 0) {
  Bytes reply{4 << 3 | 4, 1};
  reply.resize(CSntpPacket::kSize);
  std::uint64_t sent = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    sent = sent << 8 | (reply[24 + i] = request[40 + i]);
  }
  const std::int64_t at = CSntpPacket::FromNtp(sent, 0) + ahead;
  for (const auto& [offset, time] : {std::pair{32, at}, std::pair{40, at + held}}) {
    for (int i = 0; i < 8; ++i) {
      reply[offset + i] = static_cast<std::uint8_t>(CSntpPacket::ToNtp(time) >> (56 - 8 * i));
    }
  }
  return reply;
}

}  // namespace zw::test

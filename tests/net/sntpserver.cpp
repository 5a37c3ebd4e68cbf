#include "net/sntpserver.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/sntppacket.h"

namespace zw::test {

namespace {

constexpr int kLimitMs = 5000;

void PutStamp(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t stamp) {
  for (std::size_t i = 0; i < 8; ++i) {
    bytes[at + i] = static_cast<std::uint8_t>(stamp >> (56 - 8 * i));
  }
}

std::uint64_t StampAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint64_t stamp = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    stamp = stamp << 8 | bytes[at + i];
  }
  return stamp;
}

}  // namespace

SntpServer::SntpServer(Answer answer) {
  m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (m_socket < 0 ||
      ::bind(m_socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  m_port = ntohs(address.sin_port);
  m_thread = std::thread([this, answer = std::move(answer)] {
    pollfd waiting{m_socket, POLLIN, 0};
    if (::poll(&waiting, 1, kLimitMs) <= 0) {
      return;
    }
    std::uint8_t request[512];
    sockaddr_in client{};
    socklen_t clientLength = sizeof client;
    const ssize_t n = ::recvfrom(m_socket, request, sizeof request, 0,
                                 reinterpret_cast<sockaddr*>(&client), &clientLength);
    if (n < 0) {
      return;
    }
    const auto reply = answer(std::span(request, static_cast<std::size_t>(n)));
    ::sendto(m_socket, reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&client),
             clientLength);
  });
}

SntpServer::~SntpServer() {
  if (m_thread.joinable()) {
    m_thread.join();
  }
  if (m_socket >= 0) {
    ::close(m_socket);
  }
}

std::string SntpServer::Address() const {
  return "ntp:127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::uint8_t> SntpServer::Reply(std::span<const std::uint8_t> request,
                                            std::int64_t aheadMicroseconds,
                                            std::int64_t heldMicroseconds) {
  std::vector<std::uint8_t> reply(CSntpPacket::kSize);
  if (request.size() < CSntpPacket::kSize) {
    return reply;
  }
  reply[0] = 4 << 3 | 4;  // version 4, server
  reply[1] = 1;           // stratum 1: a reference clock of its own
  const std::uint64_t sent = StampAt(request, 40);
  const std::int64_t clientSent = CSntpPacket::FromNtp(sent, 0);
  PutStamp(reply, 24, sent);
  PutStamp(reply, 32, CSntpPacket::ToNtp(clientSent + aheadMicroseconds));
  PutStamp(reply, 40, CSntpPacket::ToNtp(clientSent + aheadMicroseconds + heldMicroseconds));
  return reply;
}

}  // namespace zw::test

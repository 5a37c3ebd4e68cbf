#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace zw::test {

// An SNTP server on a free loopback UDP port that answers one request with what `answer`
// makes of it, within a few seconds or not at all.
class SntpServer {
 public:
  using Answer = std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)>;

  explicit SntpServer(Answer answer);
  ~SntpServer();
  SntpServer(const SntpServer&) = delete;
  SntpServer& operator=(const SntpServer&) = delete;

  // "ntp:127.0.0.1:<port>".
  std::string Address() const;

  // A sound server whose clock stands `aheadMicroseconds` ahead of the request's stamp and
  // which takes `heldMicroseconds` between receiving and answering.
  static std::vector<std::uint8_t> Reply(std::span<const std::uint8_t> request,
                                         std::int64_t aheadMicroseconds,
                                         std::int64_t heldMicroseconds = 0);

 private:
  int m_socket = -1;
  std::uint16_t m_port = 0;
  std::thread m_thread;
};

}  // namespace zw::test

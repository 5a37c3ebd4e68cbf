// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace zw::test {

// A Daytime server on a free loopback port that answers one connection with a fixed reply,
// held back until Release() when asked. Every wait it makes is bounded.
class DaytimeServer {
 public:
  explicit DaytimeServer(std::string reply, bool held = false);
  ~DaytimeServer();
  DaytimeServer(const DaytimeServer&) = delete;
  DaytimeServer& operator=(const DaytimeServer&) = delete;

  // "127.0.0.1:<port>".
  std::string Address() const;
  std::uint16_t Port() const { return m_port; }
  void Release();
  // Whether a client has connected, waiting a few seconds for one.
  bool WaitForClient();

 private:
  void Serve();

  std::string m_reply;
  int m_listener = -1;
  std::uint16_t m_port = 0;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_held;
  bool m_connected = false;
  std::thread m_thread;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zw::test {

// The FTP server of ftp_fixture.py (pyftpdlib) for one test, on a free loopback port,
// serving `root` to the program's logon. It ends with the object, or with the test
// process, whichever comes first.
class FtpFixture {
 public:
  struct Options {
    std::string password{};  // empty: the program's own
    bool multiLineBanner = false;
    bool stallRetr = false;      // RETR answered, data connection never made
    bool stallType = false;      // TYPE never answered
    int throttle = 0;            // bytes a second of file data; 0: full speed
    bool refusePassive = false;  // EPSV and PASV refused, as by a server without them
    bool hangUpInRetr = false;   // the connection dropped soon after RETR is answered
    std::string host = "127.0.0.1";
  };

  explicit FtpFixture(const std::string& root);
  FtpFixture(const std::string& root, const Options& options);
  ~FtpFixture();
  FtpFixture(const FtpFixture&) = delete;
  FtpFixture& operator=(const FtpFixture&) = delete;

  // 0 when the server did not come up.
  std::uint16_t Port() const { return m_port; }
  // "<host>:<port>/" (an IPv6 host in brackets) followed by `path`.
  std::string Directory(const std::string& path) const;
  // The command lines the server has received, waiting up to `wait` until there are at
  // least `count`.
  std::vector<std::string> Commands(std::size_t count = 0,
                                    std::chrono::milliseconds wait = std::chrono::seconds(3));

 private:
  bool ReadLine(std::string& line, std::chrono::steady_clock::time_point deadline);

  pid_t m_pid = -1;
  int m_input = -1;
  int m_output = -1;
  std::uint16_t m_port = 0;
  std::string m_host;
  std::string m_pending;
  std::vector<std::string> m_commands;
};

}  // namespace zw::test

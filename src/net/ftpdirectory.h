// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zw {

// An update directory as the user types it, "host/path" or "host:port/path" (an IPv6 host
// as "[::1]:port/path"), optionally behind a scheme such as "ftp://".
class CFtpDirectory {
 public:
  static constexpr std::uint16_t kDefaultPort = 21;

  explicit CFtpDirectory(std::string_view text);

  const std::string& Host() const { return m_host; }
  std::uint16_t Port() const { return m_port; }
  // Everything after the host's slash, inner slashes kept; empty without a slash.
  const std::string& Path() const { return m_path; }

 private:
  std::string m_host;
  std::uint16_t m_port = kDefaultPort;
  std::string m_path;
};

}  // namespace zw

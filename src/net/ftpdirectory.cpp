// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/ftpdirectory.h"

#include <charconv>
#include <optional>

namespace zw {

namespace {

constexpr std::string_view kSchemeEnd = "//";

std::optional<std::uint16_t> PortNumber(std::string_view digits) {
  unsigned port = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || port == 0 ||
      port > 65535) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(port);
}

}  // namespace

CFtpDirectory::CFtpDirectory(std::string_view text) {
  const std::size_t scheme = text.find(kSchemeEnd);
  if (scheme != std::string_view::npos) {
    text.remove_prefix(scheme + kSchemeEnd.size());
  }
  const std::size_t slash = text.find('/');
  std::string_view host = text.substr(0, slash);
  if (slash != std::string_view::npos) {
    m_path = text.substr(slash + 1);
  }
  // An IPv6 address is written in brackets when a port follows it; bare, all its colons are
  // its own.
  const std::size_t close = host.find(']');
  if (host.starts_with('[') && close != std::string_view::npos) {
    const std::string_view rest = host.substr(close + 1);
    if (const auto port = rest.starts_with(':') ? PortNumber(rest.substr(1)) : std::nullopt) {
      m_port = *port;
    }
    m_host = host.substr(1, close - 1);
    return;
  }
  // A port only counts when it is one; anything else stays part of the host name, whose
  // look-up then fails.
  const std::size_t colon = host.rfind(':');
  if (colon != std::string_view::npos && colon == host.find(':')) {
    if (const auto port = PortNumber(host.substr(colon + 1))) {
      m_port = *port;
      host = host.substr(0, colon);
    }
  }
  m_host = host;
}

}  // namespace zw

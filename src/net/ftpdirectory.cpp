#include "net/ftpdirectory.h"

#include <charconv>

namespace zw {

namespace {

constexpr std::string_view kSchemeEnd = "//";

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
  // A port only counts when it is one; anything else stays part of the host name, whose
  // look-up then fails.
  const std::size_t colon = host.rfind(':');
  if (colon != std::string_view::npos) {
    const std::string_view digits = host.substr(colon + 1);
    unsigned port = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (!digits.empty() && error == std::errc() && end == digits.data() + digits.size() &&
        port > 0 && port <= 65535) {
      m_port = static_cast<std::uint16_t>(port);
      host = host.substr(0, colon);
    }
  }
  m_host = host;
}

}  // namespace zw

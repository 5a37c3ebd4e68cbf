// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/timesync.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <span>

#include "net/daytimereply.h"
#include "net/sntppacket.h"
#include "net/timesynclistener.h"
#include "platform/systemclocksetter.h"
#include "timecore/clocksource.h"
#include "timecore/datetime.h"

namespace zw {

namespace {

// A closed dialog is noticed within this time, so closing it never waits long.
constexpr std::chrono::milliseconds kSlice{100};

class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) {
      ::close(m_fd);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return m_fd; }

 private:
  int m_fd;
};

void AppendPart(std::string& text, std::int32_t value, const char* one, const char* many) {
  if (value == 0) {
    return;
  }
  const std::int32_t magnitude = value < 0 ? -value : value;
  text += std::to_string(magnitude);
  text += magnitude == 1 ? one : many;
}

bool ParsePort(std::string_view digits, std::uint16_t& port) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      value == 0 || value > 65535) {
    return false;
  }
  port = static_cast<std::uint16_t>(value);
  return true;
}

// Letters, digits and what names, IPv4 and IPv6 addresses (with a zone) are written with;
// anything else would be passed to the resolver only to be refused there.
bool IsHostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_' || c == ':' || c == '%';
}

}  // namespace

CTimeSync::CTimeSync(const IClockSource& clock, ISystemClockSetter& setter,
                     ITimeSyncListener& listener)
    : m_clock(clock), m_setter(setter), m_listener(listener) {}

std::string CTimeSync::ServerFromEnvironment(const std::string& stored) {
  const char* chosen = std::getenv(kServerVariable);
  if (chosen != nullptr && *chosen != '\0') {
    return chosen;
  }
  return stored.empty() ? std::string(kDefaultServer) : stored;
}

std::string_view CTimeSync::HostOf(std::string_view server) {
  for (const std::string_view scheme : {kSntpScheme, kDaytimeScheme}) {
    if (server.starts_with(scheme)) {
      return server.substr(scheme.size());
    }
  }
  return server;
}

std::optional<CTimeSync::Server> CTimeSync::Parse(std::string_view server) {
  Server parsed;
  parsed.sntp = server.starts_with(kSntpScheme);
  parsed.port = parsed.sntp ? CSntpPacket::kPort : kDaytimePort;
  std::string_view host = HostOf(server);
  std::optional<std::string_view> port;
  if (host.starts_with('[')) {
    const std::size_t close = host.find(']');
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    const std::string_view after = host.substr(close + 1);
    if (!after.empty() && !after.starts_with(':')) {
      return std::nullopt;
    }
    port = after.empty() ? std::nullopt : std::optional(after.substr(1));
    host = host.substr(1, close - 1);
  } else if (const std::size_t colon = host.find(':');
             colon != std::string_view::npos && colon == host.rfind(':')) {
    // With more than one colon it is an IPv6 address without a port.
    port = host.substr(colon + 1);
    host = host.substr(0, colon);
  }
  if (port && !ParsePort(*port, parsed.port)) {
    return std::nullopt;
  }
  if (host.empty() || !std::ranges::all_of(host, IsHostCharacter)) {
    return std::nullopt;
  }
  parsed.host = host;
  return parsed;
}

void CTimeSync::Run(std::string_view server) {
  const std::optional<Server> parsed = Parse(server);
  if (!parsed) {
    m_listener.Report(kInvalidAddress);
    return;
  }
  const auto addresses = ResolveHostWithin(
      parsed->host, parsed->port, parsed->sntp ? SOCK_DGRAM : SOCK_STREAM, m_timeout,
      [this] { return m_listener.DialogOpen(); }, m_resolve);
  if (!addresses) {
    m_listener.Report(kLookupTimedOut);
    return;
  }
  if (addresses->empty()) {
    m_listener.Report(kHostNotFound + parsed->host + kHostNotFoundEnd);
    return;
  }
  const char* failure = nullptr;
  for (const auto& [address, length] : *addresses) {
    if (!m_listener.DialogOpen()) {
      return;
    }
    failure = parsed->sntp ? TrySntp(address, length) : TryDaytime(address, length);
    if (failure == nullptr) {
      return;
    }
  }
  // Only the last address's failure is told: the earlier ones were passed over.
  m_listener.Report(failure);
}

const char* CTimeSync::TrySntp(const sockaddr_storage& address, socklen_t length) {
  const Descriptor socket(
      ::socket(address.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.Get() < 0) {
    return kCannotCreateSocket;
  }
  // A connected datagram socket takes replies from the server's address alone.
  if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), length) != 0) {
    return kUnableToConnect;
  }
  const std::int64_t sent = m_clock.UtcMicroseconds();
  const auto request = CSntpPacket::Request(sent);
  if (::send(socket.Get(), request.data(), request.size(), 0) !=
      static_cast<ssize_t>(request.size())) {
    return kUnableToConnect;
  }
  const Wait wait = WaitFor(socket.Get(), POLLIN);
  if (wait == Wait::kTimedOut) {
    return kTimedOut;
  }
  // Room for a reply with an authenticator; what lies beyond the header is not read.
  std::uint8_t buffer[CSntpPacket::kSize * 2];
  const ssize_t n = wait == Wait::kReady ? ::recv(socket.Get(), buffer, sizeof buffer, 0) : -1;
  const std::int64_t received = m_clock.UtcMicroseconds();
  if (n < 0) {
    return kReceiveError;
  }
  const auto measure =
      CSntpPacket::Parse(std::span(buffer, static_cast<std::size_t>(n)), sent, received);
  if (!measure) {
    return kNoTime;
  }
  AdjustBy(measure->offsetMicroseconds, measure->roundTripMicroseconds);
  return nullptr;
}

void CTimeSync::AdjustBy(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds) {
  if (!m_listener.DialogOpen()) {
    return;
  }
  m_listener.Report(kSuccessful);
  m_listener.Report(OffsetText(offsetMicroseconds, tripMicroseconds));
  const std::int64_t magnitude = offsetMicroseconds < 0 ? -offsetMicroseconds : offsetMicroseconds;
  if (magnitude <= std::max(kSmallestStepMicroseconds, tripMicroseconds / 2)) {
    m_listener.Report(kNoAdjustment);
    return;
  }
  if (!Set([&] { return m_setter.AdjustByMicroseconds(offsetMicroseconds); })) {
    return;
  }
  m_listener.Report(std::string(kAdjusted) + (offsetMicroseconds > 0 ? kForward : kBack));
  m_listener.Report("  " + std::to_string((magnitude + 500) / 1000) + " - milliseconds  ");
}

bool CTimeSync::Set(const std::function<bool()>& set) {
  if (m_setter.KeptByTimeService()) {
    m_listener.Report(kKeptByService);
    return false;
  }
  if (!set()) {
    m_listener.Report(kSetFailed);
    m_listener.Report(kNobodyMaySet);
    return false;
  }
  return true;
}

std::string CTimeSync::OffsetText(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds) {
  const auto milliseconds = [](std::int64_t micro) {
    return std::to_string(((micro < 0 ? -micro : micro) + 500) / 1000);
  };
  return "The clock is " + milliseconds(offsetMicroseconds) + " ms " +
         (offsetMicroseconds < 0 ? "ahead of" : "behind") + " the server (round trip " +
         milliseconds(tripMicroseconds) + " ms).\r\n";
}

const char* CTimeSync::TryDaytime(const sockaddr_storage& address, socklen_t length) {
  const Descriptor socket(
      ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.Get() < 0) {
    return kCannotCreateSocket;
  }
  if (const char* failure = ConnectTo(socket.Get(), address, length)) {
    return failure;
  }
  switch (WaitFor(socket.Get(), POLLIN)) {
    case Wait::kTimedOut:
      return kTimedOut;
    case Wait::kFailed:
      return kReceiveError;
    case Wait::kReady:
      break;
  }
  char buffer[kReceiveBytes];
  const ssize_t n = ::recv(socket.Get(), buffer, sizeof buffer, 0);
  if (n < 0) {
    return kReceiveError;
  }
  return Adjust(std::string_view(buffer, static_cast<std::size_t>(n)));
}

const char* CTimeSync::ConnectTo(int fd, const sockaddr_storage& address, socklen_t length) const {
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    return nullptr;
  }
  if (errno != EINPROGRESS) {
    return kUnableToConnect;
  }
  switch (WaitFor(fd, POLLOUT)) {
    case Wait::kTimedOut:
      return kTimedOut;
    case Wait::kFailed:
      return kUnableToConnect;
    case Wait::kReady:
      break;
  }
  int error = 0;
  socklen_t size = sizeof error;
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0
             ? nullptr
             : kUnableToConnect;
}

CTimeSync::Wait CTimeSync::WaitFor(int fd, short events) const {
  const auto deadline = std::chrono::steady_clock::now() + m_timeout;
  while (m_listener.DialogOpen()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return Wait::kTimedOut;
    }
    pollfd watched{fd, events, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(std::min(left, kSlice).count()));
    if (ready < 0 && errno != EINTR) {
      return Wait::kFailed;
    }
    if (ready > 0) {
      const bool usable =
          (watched.revents & events) != 0 || (watched.revents & (POLLERR | POLLHUP)) != 0;
      return usable ? Wait::kReady : Wait::kFailed;
    }
  }
  return Wait::kFailed;
}

const char* CTimeSync::Adjust(std::string_view received) {
  const std::int64_t oldSeconds = m_clock.UtcSeconds();
  const CDateTime old = CDateTime::FromSeconds(oldSeconds);
  int year = old.Year();
  int month = old.Month();
  int day = old.Day();
  int hour = old.Hour();
  int minute = old.Minute();
  int second = old.Second();
  const CDaytimeReply reply(received);
  const auto& date = reply.FoundDate();
  const auto& time = reply.FoundTime();
  // Garbage, or another protocol's answer carrying a time of its own, is no time at all.
  if (!date && !(time && reply.TimeOnReplyLine())) {
    return kNoTime;
  }
  // Beyond 2099 the clock's seconds saturate: setting them would claim a wrong date.
  if (date && (date->year < kFirstYear || date->year > kLastYear)) {
    m_listener.Report(kDateOutOfRange);
    return nullptr;
  }
  if (date) {
    year = date->year;
    month = date->month;
    day = date->day;
  }
  if (time) {
    hour = time->hour;
    minute = time->minute;
    second = time->second;
  }
  // The dialog that asked may have closed while the server answered; then the clock stays.
  if (!m_listener.DialogOpen()) {
    return nullptr;
  }
  const CDateTime adjusted(year, month, day, hour, minute, second);
  if (adjusted == old) {
    m_listener.Report(kNoAdjustment);
    return nullptr;
  }
  if (!Set([&] { return m_setter.SetUtcSeconds(adjusted.Seconds()); })) {
    return nullptr;
  }
  m_listener.Report(kSuccessful);
  const CDateSpan span = adjusted - old;
  std::string direction(kAdjusted);
  if (span.TotalSeconds() > 0) {
    direction += kForward;
  } else if (span.TotalSeconds() < 0) {
    direction += kBack;
  }
  m_listener.Report(direction);
  m_listener.Report(Amount(span));
  return nullptr;
}

std::string CTimeSync::Amount(const CDateSpan& span) {
  std::string text = "  ";
  AppendPart(text, span.Days(), " - day  ", " - days  ");
  AppendPart(text, span.Hours(), " - hour  ", " - hours  ");
  AppendPart(text, span.Minutes(), " - minute  ", " - minutes  ");
  AppendPart(text, span.Seconds(), " - second  ", " - seconds  ");
  return text;
}

}  // namespace zw

#include "net/timesync.h"

#include <arpa/inet.h>
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

std::optional<sockaddr_in> CTimeSync::ParseServer(std::string_view server,
                                                  std::uint16_t defaultPort) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(defaultPort);
  const std::size_t colon = server.find(':');
  if (colon != std::string_view::npos) {
    const std::string_view digits = server.substr(colon + 1);
    unsigned port = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        port == 0 || port > 65535) {
      return std::nullopt;
    }
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    server = server.substr(0, colon);
  }
  const std::string host(server);
  if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
    return std::nullopt;
  }
  return address;
}

void CTimeSync::Run(std::string_view server) {
  const bool sntp = server.starts_with(kSntpScheme);
  const std::optional<sockaddr_in> address =
      ParseServer(HostOf(server), sntp ? CSntpPacket::kPort : kDaytimePort);
  if (!address) {
    m_listener.Report(kInvalidAddress);
    return;
  }
  if (sntp) {
    RunSntp(*address);
  } else {
    RunDaytime(*address);
  }
}

void CTimeSync::RunSntp(const sockaddr_in& address) {
  const Descriptor socket(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.Get() < 0) {
    m_listener.Report(kCannotCreateSocket);
    return;
  }
  // A connected datagram socket takes replies from the server's address alone.
  if (::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    m_listener.Report(kUnableToConnect);
    return;
  }
  const std::int64_t sent = m_clock.UtcMicroseconds();
  const auto request = CSntpPacket::Request(sent);
  if (::send(socket.Get(), request.data(), request.size(), 0) !=
      static_cast<ssize_t>(request.size())) {
    m_listener.Report(kUnableToConnect);
    return;
  }
  // Room for a reply with an authenticator; what lies beyond the header is not read.
  std::uint8_t buffer[CSntpPacket::kSize * 2];
  const ssize_t n =
      WaitFor(socket.Get(), POLLIN) ? ::recv(socket.Get(), buffer, sizeof buffer, 0) : -1;
  const std::int64_t received = m_clock.UtcMicroseconds();
  if (n < 0) {
    m_listener.Report(kReceiveError);
    return;
  }
  const auto measure =
      CSntpPacket::Parse(std::span(buffer, static_cast<std::size_t>(n)), sent, received);
  if (!measure) {
    m_listener.Report(kNoTime);
    return;
  }
  AdjustBy(measure->offsetMicroseconds, measure->roundTripMicroseconds);
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

void CTimeSync::RunDaytime(const sockaddr_in& address) {
  const Descriptor socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (socket.Get() < 0) {
    m_listener.Report(kCannotCreateSocket);
    return;
  }
  if (!ConnectTo(socket.Get(), address)) {
    m_listener.Report(kUnableToConnect);
    return;
  }
  char buffer[kReceiveBytes];
  if (!WaitFor(socket.Get(), POLLIN)) {
    m_listener.Report(kReceiveError);
    return;
  }
  const ssize_t n = ::recv(socket.Get(), buffer, sizeof buffer, 0);
  if (n < 0) {
    m_listener.Report(kReceiveError);
    return;
  }
  Adjust(std::string_view(buffer, static_cast<std::size_t>(n)));
}

bool CTimeSync::ConnectTo(int fd, const sockaddr_in& address) const {
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
    return true;
  }
  if (errno != EINPROGRESS || !WaitFor(fd, POLLOUT)) {
    return false;
  }
  int error = 0;
  socklen_t length = sizeof error;
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

bool CTimeSync::WaitFor(int fd, short events) const {
  const auto deadline = std::chrono::steady_clock::now() + m_timeout;
  while (m_listener.DialogOpen()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return false;
    }
    pollfd watched{fd, events, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(std::min(left, kSlice).count()));
    if (ready < 0 && errno != EINTR) {
      return false;
    }
    if (ready > 0) {
      return (watched.revents & events) != 0 || (watched.revents & (POLLERR | POLLHUP)) != 0;
    }
  }
  return false;
}

void CTimeSync::Adjust(std::string_view received) {
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
    m_listener.Report(kNoTime);
    return;
  }
  // Beyond 2099 the clock's seconds saturate: setting them would claim a wrong date.
  if (date && (date->year < kFirstYear || date->year > kLastYear)) {
    m_listener.Report(kDateOutOfRange);
    return;
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
    return;
  }
  const CDateTime adjusted(year, month, day, hour, minute, second);
  if (adjusted == old) {
    m_listener.Report(kNoAdjustment);
    return;
  }
  if (!Set([&] { return m_setter.SetUtcSeconds(adjusted.Seconds()); })) {
    return;
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

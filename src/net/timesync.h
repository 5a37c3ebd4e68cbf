#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <netinet/in.h>

namespace zw {

class CDateSpan;
class IClockSource;
class ISystemClockSetter;
class ITimeSyncListener;

// One synchronisation with a time server, run on a worker thread: ask it once, by SNTP
// (RFC 4330) or Daytime (RFC 867), and set the computer's clock when it is off, reporting
// each step to the dialog.
class CTimeSync {
 public:
  // A U.S. government time server, which answers both protocols.
  static constexpr std::string_view kDefaultServer = "ntp:129.6.15.28";
  static constexpr std::uint16_t kDaytimePort = 13;
  // A server is "ntp:host[:port]" or "daytime:host[:port]", host in dotted IPv4; a bare
  // host[:port] is a Daytime server, as servers were given before SNTP was spoken.
  static constexpr std::string_view kSntpScheme = "ntp:";
  static constexpr std::string_view kDaytimeScheme = "daytime:";
  // Where the program asks instead of the default.
  static constexpr const char* kServerVariable = "ZONEWRIGHT_TIME_SERVER";
  // An offset within this, or within the uncertainty of half the round trip, is left alone.
  static constexpr std::int64_t kSmallestStepMicroseconds = 10'000;
  static constexpr std::size_t kReceiveBytes = 80;
  static constexpr std::chrono::milliseconds kDefaultTimeout{15000};

  static constexpr const char* kInvalidAddress =
      "Invalid Internet address.\r\n-  Time retrieval failed.";
  static constexpr const char* kCannotCreateSocket =
      "Can not create socket.\r\n-  Time retrieval failed.";
  static constexpr const char* kUnableToConnect =
      "Unable to create socket.\r\n-  Time retrieval failed.";
  static constexpr const char* kReceiveError =
      "Error receiving time information.\r\n-  Time retrieval failed.";
  static constexpr const char* kNoAdjustment = "No adjustment was necessary.";
  static constexpr const char* kNoTime = "The time server's reply held no time.";
  static constexpr const char* kDateOutOfRange =
      "The time server's reply held a date outside 1970 to 2099.\r\n-  Time retrieval failed.";
  // The years the computer's clock can be set to from a reply.
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 2099;
  static constexpr const char* kSetFailed =
      "Unable to set the computer's time.\r\n-  Time adjustment failed.";
  static constexpr const char* kNobodyMaySet =
      "\r\nNeither this program nor the system's date and time service was allowed to set "
      "the clock.";
  static constexpr const char* kKeptByService =
      "A network time service already keeps this computer's clock, so it was left as it is.";
  static constexpr const char* kSuccessful = "Time retrieval was successful\r\n";
  static constexpr const char* kAdjusted = "Computer time has been adjusted ";
  static constexpr const char* kForward = "forward:\r\n";
  static constexpr const char* kBack = "back:\r\n";

  CTimeSync(const IClockSource& clock, ISystemClockSetter& setter, ITimeSyncListener& listener);

  // `server`: see kSntpScheme.
  void Run(std::string_view server);

  // How long the connect, and then the reply, may take; the dialog closing ends either wait.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

  // The server the program asks: kServerVariable's, else `stored`, else the default.
  static std::string ServerFromEnvironment(const std::string& stored = {});
  // The server without its scheme: host[:port].
  static std::string_view HostOf(std::string_view server);
  // "The clock is 1234 ms behind the server (round trip 12 ms).\r\n"
  static std::string OffsetText(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds);
  // The amount of an adjustment: "  1 - minute  30 - seconds  ".
  static std::string Amount(const CDateSpan& span);

 private:
  static std::optional<sockaddr_in> ParseServer(std::string_view server, std::uint16_t defaultPort);
  void RunDaytime(const sockaddr_in& address);
  void RunSntp(const sockaddr_in& address);
  void AdjustBy(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds);
  // Sets the clock, or says why not; false when it stays.
  bool Set(const std::function<bool()>& set);
  // Waits until `fd` is ready for `events` (poll flags); false when the time ran out, an
  // error came or the dialog closed.
  bool WaitFor(int fd, short events) const;
  bool ConnectTo(int fd, const sockaddr_in& address) const;
  void Adjust(std::string_view received);

  const IClockSource& m_clock;
  ISystemClockSetter& m_setter;
  ITimeSyncListener& m_listener;
  std::chrono::milliseconds m_timeout = kDefaultTimeout;
};

}  // namespace zw

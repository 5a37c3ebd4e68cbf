// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <sys/socket.h>

#include "net/hostaddresses.h"
#include "platform/translatable.h"

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
  // A server is "ntp:host[:port]" or "daytime:host[:port]", host a name, a dotted IPv4
  // address or an IPv6 one (in brackets when a port follows); a bare host[:port] is a Daytime
  // server, as servers were given before SNTP was spoken. Every address of a name is tried in
  // turn until one answers.
  static constexpr std::string_view kSntpScheme = "ntp:";
  static constexpr std::string_view kDaytimeScheme = "daytime:";
  // Where the program asks instead of the default.
  static constexpr const char* kServerVariable = "ZONEWRIGHT_TIME_SERVER";
  // An offset within this, or within the uncertainty of half the round trip, is left alone.
  static constexpr std::int64_t kSmallestStepMicroseconds = 10'000;
  static constexpr std::size_t kReceiveBytes = 80;
  static constexpr std::chrono::milliseconds kDefaultTimeout{15000};

  static constexpr const char* kInvalidAddress =
      ZW_TR_NOOP("Core", "Invalid Internet address.\r\n-  Time retrieval failed.");
  static constexpr const char* kCannotCreateSocket =
      ZW_TR_NOOP("Core", "Can not create socket.\r\n-  Time retrieval failed.");
  static constexpr const char* kUnableToConnect =
      ZW_TR_NOOP("Core", "Unable to create socket.\r\n-  Time retrieval failed.");
  // Put around the host's name.
  static constexpr const char* kHostNotFound = "Host not found: ";
  static constexpr const char* kHostNotFoundEnd = ".\r\n-  Time retrieval failed.";
  static constexpr const char* kLookupTimedOut = ZW_TR_NOOP(
      "Core", "Timed out looking up the time server's name.\r\n-  Time retrieval failed.");
  static constexpr const char* kTimedOut =
      ZW_TR_NOOP("Core", "Timed out waiting for the time server.\r\n-  Time retrieval failed.");
  static constexpr const char* kReceiveError =
      ZW_TR_NOOP("Core", "Error receiving time information.\r\n-  Time retrieval failed.");
  static constexpr const char* kNoAdjustment = ZW_TR_NOOP("Core", "No adjustment was necessary.");
  static constexpr const char* kNoTime =
      ZW_TR_NOOP("Core", "The time server's reply held no time.");
  static constexpr const char* kDateOutOfRange = ZW_TR_NOOP(
      "Core",
      "The time server's reply held a date outside 1970 to 2099.\r\n-  Time retrieval failed.");
  // The years the computer's clock can be set to from a reply.
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 2099;
  static constexpr const char* kSetFailed =
      ZW_TR_NOOP("Core", "Unable to set the computer's time.\r\n-  Time adjustment failed.");
  static constexpr const char* kNobodyMaySet =
      "\r\nNeither this program nor the system's date and time service was allowed to set "
      "the clock.";
  static constexpr const char* kKeptByService =
      "A network time service already keeps this computer's clock, so it was left as it is.";
  static constexpr const char* kSuccessful = "Time retrieval was successful\r\n";
  static constexpr const char* kAdjusted = "Computer time has been adjusted ";
  static constexpr const char* kForward = "forward:\r\n";
  static constexpr const char* kBack = "back:\r\n";

  // What a server text names.
  struct Server {
    bool sntp = false;
    std::string host;
    std::uint16_t port = 0;
  };

  CTimeSync(const IClockSource& clock, ISystemClockSetter& setter, ITimeSyncListener& listener);

  // `server`: see kSntpScheme.
  void Run(std::string_view server);

  // How long the connect, and then the reply, may take; the dialog closing ends either wait.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
  // Where names are looked up: the system's resolver unless a test has its own.
  void SetResolver(HostResolver resolve) { m_resolve = resolve; }

  // The server the program asks: kServerVariable's, else `stored`, else the default.
  static std::string ServerFromEnvironment(const std::string& stored = {});
  // The server without its scheme: host[:port].
  static std::string_view HostOf(std::string_view server);
  // Nothing when `server` cannot name one: no host, a character no host name or address
  // has, or a port outside 1 to 65535. Whether the name exists is not asked.
  static std::optional<Server> Parse(std::string_view server);
  // "The clock is 1234 ms behind the server (round trip 12 ms).\r\n"
  static std::string OffsetText(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds);
  // The amount of an adjustment: "  1 - minute  30 - seconds  ".
  static std::string Amount(const CDateSpan& span);

 private:
  enum class Wait { kReady, kTimedOut, kFailed };

  // One exchange with one address of the server. The failure that lets the next address be
  // tried instead, or nullptr when the exchange got far enough to report for itself.
  const char* TryDaytime(const sockaddr_storage& address, socklen_t length);
  const char* TrySntp(const sockaddr_storage& address, socklen_t length);
  void AdjustBy(std::int64_t offsetMicroseconds, std::int64_t tripMicroseconds);
  // Sets the clock, or says why not; false when it stays.
  bool Set(const std::function<bool()>& set);
  // Waits until `fd` is ready for `events` (poll flags); kFailed when an error came or the
  // dialog closed.
  Wait WaitFor(int fd, short events) const;
  // The failure, or nullptr once connected.
  const char* ConnectTo(int fd, const sockaddr_storage& address, socklen_t length) const;
  // kNoTime when the reply held none; nullptr when it reported for itself.
  const char* Adjust(std::string_view received);

  const IClockSource& m_clock;
  ISystemClockSetter& m_setter;
  ITimeSyncListener& m_listener;
  std::chrono::milliseconds m_timeout = kDefaultTimeout;
  HostResolver m_resolve = ResolveHost;
};

}  // namespace zw

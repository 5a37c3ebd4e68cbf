#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <netinet/in.h>

namespace zw {

class CDateSpan;
class IClockSource;
class ISystemClockSetter;
class ITimeSyncListener;

// One synchronisation with a Daytime server (RFC 867), run on a worker thread: connect,
// receive once, find the date and the time of day, and set the computer's clock when it is
// off, reporting each step to the dialog.
class CTimeSync {
 public:
  // A U.S. government time server that answers the Daytime protocol.
  static constexpr std::string_view kDefaultServer = "129.6.15.28";
  static constexpr std::uint16_t kDaytimePort = 13;
  // host[:port], dotted IPv4 only: where the program asks instead of the default.
  static constexpr const char* kServerVariable = "ZONEWRIGHT_TIME_SERVER";
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
      "The time server's reply held a date outside 1970 to 2037.\r\n-  Time retrieval failed.";
  // The years the computer's clock can be set to from a reply.
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 2037;
  static constexpr const char* kSetFailed =
      "Unable to set the computer's time.\r\n-  Time adjustment failed.";
  static constexpr const char* kSuccessful = "Time retrieval was successful\r\n";
  static constexpr const char* kAdjusted = "Computer time has been adjusted ";
  static constexpr const char* kForward = "forward:\r\n";
  static constexpr const char* kBack = "back:\r\n";

  CTimeSync(const IClockSource& clock, ISystemClockSetter& setter, ITimeSyncListener& listener);

  // `server`: host[:port]; see kServerVariable.
  void Run(std::string_view server);

  // How long the connect, and then the reply, may take; the dialog closing ends either wait.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

  // The server the program asks.
  static std::string ServerFromEnvironment();
  // The amount of an adjustment: "  1 - minute  30 - seconds  ".
  static std::string Amount(const CDateSpan& span);

 private:
  static std::optional<sockaddr_in> ParseServer(std::string_view server);
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

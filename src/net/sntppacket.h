// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zw {

// One SNTP (RFC 4330) exchange as bytes: the client's request, and what a server's reply
// says about the local clock. Times are microseconds since 1970-01-01 00:00:00 UTC on the
// local clock; the reply comes from the network and is checked before it is believed.
class CSntpPacket {
 public:
  static constexpr std::size_t kSize = 48;
  static constexpr std::uint16_t kPort = 123;

  struct Measure {
    // How far the local clock is behind the server (negative: ahead).
    std::int64_t offsetMicroseconds;
    // The time on the wire there and back, without the server's own time.
    std::int64_t roundTripMicroseconds;
  };

  // A version 4 client request stamped with `sentMicroseconds`.
  static std::array<std::uint8_t, kSize> Request(std::int64_t sentMicroseconds);

  // The measure from a reply to the request stamped `sentMicroseconds` and received at
  // `receivedMicroseconds`; nothing when the bytes are no usable answer to that request:
  // too short, not a server's reply, from an unsynchronised server or a "kiss of death",
  // without a transmit time, or echoing another request's stamp (a stray or forged packet).
  static std::optional<Measure> Parse(std::span<const std::uint8_t> reply,
                                      std::int64_t sentMicroseconds,
                                      std::int64_t receivedMicroseconds);

  // NTP's 64-bit fixed-point time for `microseconds`, and back again. Only 32 bits of seconds
  // travel, so a stamp is read in the 136-year era nearest `nearMicroseconds`.
  static std::uint64_t ToNtp(std::int64_t microseconds);
  static std::int64_t FromNtp(std::uint64_t stamp, std::int64_t nearMicroseconds);
};

}  // namespace zw

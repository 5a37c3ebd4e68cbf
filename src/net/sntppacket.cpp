// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/sntppacket.h"

#include <algorithm>

namespace zw {

namespace {

// Seconds from 1900, where NTP counts from, to 1970.
constexpr std::int64_t kNtpToUnix = 2'208'988'800;
constexpr std::int64_t kMicro = 1'000'000;
constexpr std::uint8_t kVersion = 4;
constexpr std::uint8_t kModeClient = 3;
constexpr std::uint8_t kModeServer = 4;
constexpr std::uint8_t kLeapUnsynchronised = 3;
constexpr std::size_t kReceiveAt = 32;
constexpr std::size_t kOriginateAt = 24;
constexpr std::size_t kTransmitAt = 40;

std::uint64_t StampAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint64_t stamp = 0;
  for (std::size_t i = 0; i < 8; ++i) {
    stamp = stamp << 8 | bytes[at + i];
  }
  return stamp;
}

}  // namespace

std::uint64_t CSntpPacket::ToNtp(std::int64_t microseconds) {
  const std::int64_t seconds = microseconds / kMicro - (microseconds % kMicro < 0 ? 1 : 0);
  const std::int64_t fraction = microseconds - seconds * kMicro;
  const auto ntpSeconds = static_cast<std::uint32_t>(seconds + kNtpToUnix);
  // Rounded up, so that reading the stamp back gives the same microsecond.
  const auto ntpFraction = static_cast<std::uint32_t>(
      ((static_cast<std::uint64_t>(fraction) << 32) + kMicro - 1) / kMicro);
  return static_cast<std::uint64_t>(ntpSeconds) << 32 | ntpFraction;
}

std::int64_t CSntpPacket::FromNtp(std::uint64_t stamp, std::int64_t nearMicroseconds) {
  const std::int64_t nearNtp = nearMicroseconds / kMicro + kNtpToUnix;
  // The difference of the low 32 bits picks the nearest era, before or after 2036.
  const auto delta = static_cast<std::int32_t>(static_cast<std::uint32_t>(stamp >> 32) -
                                               static_cast<std::uint32_t>(nearNtp));
  const std::int64_t seconds = nearNtp + delta - kNtpToUnix;
  const auto micro = static_cast<std::int64_t>(((stamp & 0xFFFFFFFFu) * kMicro) >> 32);
  return seconds * kMicro + micro;
}

std::array<std::uint8_t, CSntpPacket::kSize> CSntpPacket::Request(std::int64_t sentMicroseconds) {
  std::array<std::uint8_t, kSize> request{};
  request[0] = kVersion << 3 | kModeClient;
  const std::uint64_t stamp = ToNtp(sentMicroseconds);
  for (std::size_t i = 0; i < 8; ++i) {
    request[kTransmitAt + i] = static_cast<std::uint8_t>(stamp >> (56 - 8 * i));
  }
  return request;
}

std::optional<CSntpPacket::Measure> CSntpPacket::Parse(std::span<const std::uint8_t> reply,
                                                       std::int64_t sentMicroseconds,
                                                       std::int64_t receivedMicroseconds) {
  if (reply.size() < kSize || receivedMicroseconds < sentMicroseconds) {
    return std::nullopt;
  }
  const std::uint8_t leap = reply[0] >> 6;
  const std::uint8_t version = (reply[0] >> 3) & 7;
  const std::uint8_t mode = reply[0] & 7;
  const std::uint8_t stratum = reply[1];
  if (leap == kLeapUnsynchronised || version < 1 || version > kVersion || mode != kModeServer ||
      stratum == 0 || stratum > 15) {
    return std::nullopt;
  }
  const std::uint64_t transmit = StampAt(reply, kTransmitAt);
  if (transmit == 0 || StampAt(reply, kOriginateAt) != ToNtp(sentMicroseconds)) {
    return std::nullopt;
  }
  const std::int64_t serverReceived = FromNtp(StampAt(reply, kReceiveAt), sentMicroseconds);
  const std::int64_t serverSent = FromNtp(transmit, sentMicroseconds);
  const std::int64_t offset =
      ((serverReceived - sentMicroseconds) + (serverSent - receivedMicroseconds)) / 2;
  // A server claiming it took longer than the whole exchange leaves the trip at nothing.
  const std::int64_t trip = std::max<std::int64_t>(
      0, (receivedMicroseconds - sentMicroseconds) - (serverSent - serverReceived));
  return Measure{offset, trip};
}

}  // namespace zw

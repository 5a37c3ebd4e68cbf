// SPDX-License-Identifier: GPL-3.0-or-later
// An SNTP server's reply, after 8 bytes choosing when the request left and 4 how long the
// answer took: a measure read from it is one the clock can be stepped by.
#include <cstdlib>
#include <cstring>
#include <span>

#include "net/sntppacket.h"

using namespace zw;

namespace {

// Half of NTP's era either way, in microseconds, plus the longest wait the fuzzer can choose.
constexpr std::int64_t kLargestOffset =
    (std::int64_t{1} << 31) * 1'000'000 + (std::int64_t{1} << 32);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 12) {
    return 0;
  }
  std::uint64_t when = 0;
  std::uint32_t wait = 0;
  std::memcpy(&when, data, sizeof when);
  std::memcpy(&wait, data + 8, sizeof wait);
  // Any moment a local clock can show, from 1970 to about 2112.
  const auto sent = static_cast<std::int64_t>(when % (std::uint64_t{1} << 52));
  const std::int64_t received = sent + wait;
  const auto measure = CSntpPacket::Parse(std::span(data + 12, size - 12), sent, received);
  if (measure &&
      (measure->roundTripMicroseconds < 0 || measure->offsetMicroseconds > kLargestOffset ||
       measure->offsetMicroseconds < -kLargestOffset)) {
    std::abort();
  }
  if (CSntpPacket::FromNtp(CSntpPacket::ToNtp(sent), received) != sent) {
    std::abort();
  }
  return 0;
}

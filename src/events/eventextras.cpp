// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventextras.h"

#include "events/event.h"

namespace zw {

namespace {

// Bit positions inside the reserved word.
constexpr int kOffBit = 0;
constexpr int kKindShift = 1;
constexpr std::uint32_t kKindMask = 0x3;
constexpr int kWeekdayShift = 3;
constexpr int kIntervalShift = 10;
constexpr std::uint32_t kIntervalMask = 0xFF;
constexpr int kOrdinalShift = 18;
constexpr std::uint32_t kOrdinalMask = 0x7;
// The last weekday is stored as the one ordinal code that a count never reaches.
constexpr std::uint32_t kLastCode = 7;
constexpr int kMissedShift = 21;
constexpr std::uint32_t kMissedMask = 0x3;

constexpr std::uint32_t kKnownBits = (1u << kOffBit) | (kKindMask << kKindShift) |
                                     (std::uint32_t{EventExtras::kWeekdayBits} << kWeekdayShift) |
                                     (kIntervalMask << kIntervalShift) |
                                     (kOrdinalMask << kOrdinalShift) |
                                     (kMissedMask << kMissedShift);

std::uint32_t Field(std::uint32_t word, int shift, std::uint32_t mask) {
  return (word >> shift) & mask;
}

}  // namespace

EventExtras EventExtras::Unpack(std::int32_t stored) {
  const auto word = static_cast<std::uint32_t>(stored);
  EventExtras extras;
  extras.off = Field(word, kOffBit, 1) != 0;
  extras.kind = static_cast<RepeatKind>(Field(word, kKindShift, kKindMask));
  extras.weekdays = static_cast<int>(Field(word, kWeekdayShift, kWeekdayBits));
  extras.interval = static_cast<int>(Field(word, kIntervalShift, kIntervalMask));
  const std::uint32_t ordinal = Field(word, kOrdinalShift, kOrdinalMask);
  extras.ordinal = ordinal == kLastCode ? kLastOrdinal : static_cast<int>(ordinal);
  // The one code no choice uses reads as the default, so it can never silence an event.
  const std::uint32_t missed = Field(word, kMissedShift, kMissedMask);
  extras.missed = missed > static_cast<std::uint32_t>(MissedChoice::kAsk)
                      ? MissedChoice::kRunLate
                      : static_cast<MissedChoice>(missed);
  return extras;
}

std::int32_t EventExtras::PackInto(std::int32_t stored) const {
  std::uint32_t word = static_cast<std::uint32_t>(stored) & ~kKnownBits;
  const auto clamp = [](int value, std::uint32_t mask) {
    return static_cast<std::uint32_t>(value) & mask;
  };
  word |= (off ? 1u : 0u) << kOffBit;
  word |= clamp(static_cast<int>(kind), kKindMask) << kKindShift;
  word |= clamp(weekdays, kWeekdayBits) << kWeekdayShift;
  word |= clamp(interval, kIntervalMask) << kIntervalShift;
  const std::uint32_t ordinalCode =
      ordinal == kLastOrdinal ? kLastCode : clamp(ordinal, kOrdinalMask);
  word |= ordinalCode << kOrdinalShift;
  word |= clamp(static_cast<int>(missed), kMissedMask) << kMissedShift;
  return static_cast<std::int32_t>(word);
}

int EventExtras::BaseFrequency(RepeatKind kind) {
  switch (kind) {
    case RepeatKind::kEveryNDays:
      return kDaily;
    case RepeatKind::kEveryNWeeks:
      return kWeekly;
    case RepeatKind::kNthWeekday:
      return kMonthly;
    default:
      return -1;
  }
}

}  // namespace zw

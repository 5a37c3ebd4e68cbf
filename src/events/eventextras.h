// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zw {

// Repeats beyond the five stored frequencies. Each one rides on a base frequency that the
// record keeps (daily, weekly, monthly), so a program that knows only the five still fires
// the event at a sensible subset-or-superset of its times.
enum class RepeatKind : int {
  kPlain = 0,        // the record's own frequency
  kEveryNDays = 1,   // base daily; counted from the start date
  kEveryNWeeks = 2,  // base weekly; the chosen weekdays of every Nth week (Monday to Sunday)
  kNthWeekday = 3,   // base monthly; the Nth or last chosen weekday of every Nth month
};

// What becomes of an occurrence that passed while nobody was watching (the program was not
// running, the computer slept, the clock was moved on). Zero is what records always held.
enum class MissedChoice : int {
  kRunLate = 0,  // its actions are carried out once, late
  kSkip = 1,     // it is listed and nothing more
  kAsk = 2,      // the user decides in the list of missed events
};

// What the record's reserved word at offset 1396 holds. Earlier versions always wrote zero
// there and copy it back unchanged, so zero must mean "on, plain repeat", and bits this version
// does not know are kept as read.
struct EventExtras {
  static constexpr int kLastOrdinal = -1;
  static constexpr int kMaxInterval = 255;
  static constexpr int kMaxOrdinal = 5;
  static constexpr int kWeekdayBits = 0x7F;  // bit 0 = Sunday .. bit 6 = Saturday
  static constexpr int kMondayToFriday = 0x3E;

  bool off = false;
  RepeatKind kind = RepeatKind::kPlain;
  int interval = 1;  // 1..kMaxInterval
  int weekdays = 0;  // kWeekdayBits
  int ordinal = 0;   // 1..kMaxOrdinal or kLastOrdinal
  MissedChoice missed = MissedChoice::kRunLate;

  static EventExtras Unpack(std::int32_t word);
  // Writes the known bits into `word`, leaving the others as they were.
  std::int32_t PackInto(std::int32_t word) const;
  // The frequency a kind needs the record to keep; kPlain keeps any.
  static int BaseFrequency(RepeatKind kind);

  friend bool operator==(const EventExtras&, const EventExtras&) = default;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class CLocation;

// Which clock lines' places change their offset soon. Finding a place's next change walks its
// zone's transitions, so the answer is looked up at most once a minute (or when the lines
// change), never on every tick.
class CChangeMarks {
 public:
  enum class Mark { kNone, kForward, kBack };
  static constexpr std::int64_t kAheadSeconds = 7 * 24 * 60 * 60;

  // Looks the places up again when the minute or the places differ from the last lookup;
  // true when a mark came or went.
  bool Refresh(const std::vector<const CLocation*>& places, const CDateTime& now);
  // The next Refresh looks up again: a place's zone or rule may have changed.
  void Forget() { m_minute = std::numeric_limits<std::int64_t>::min(); }

  Mark MarkOf(std::size_t line) const {
    return line < m_marks.size() ? m_marks[line] : Mark::kNone;
  }
  bool Any() const;

 private:
  std::int64_t m_minute = std::numeric_limits<std::int64_t>::min();
  std::vector<const CLocation*> m_places;
  std::vector<Mark> m_marks;
};

}  // namespace zw

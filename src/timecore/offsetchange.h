// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "timecore/datetime.h"
#include "timecore/zone.h"

namespace zw {

// A switch of a place's offset: the GMT instant it takes effect, the offsets either side
// (seconds east of GMT) and the wall-clock time the place's clocks show when they are changed.
struct OffsetChange {
  CDateTime at = CDateTime::FromSeconds(0);
  std::int32_t oldOffset = 0;
  std::int32_t newOffset = 0;
  CDateTime localBefore = CDateTime::FromSeconds(0);

  bool GoesForward() const { return newOffset > oldOffset; }
};

// The first change of the zone's offset strictly after `gmt`: from the tz database where the
// zone follows it, else from the stored rule. nullopt when none comes.
std::optional<OffsetChange> NextOffsetChange(const CZone& zone, const CDateTime& gmt);

// "Clocks go back 1 h on Sun 25 Oct 2026 at 02:00 local" (24-hour wall time either way, so the
// text reads the same in every display mode).
std::string DescribeOffsetChange(const OffsetChange& change);

// "1 h", "30 min", "1 h 30 min": the size of an offset step.
std::string DescribeOffsetStep(std::int32_t seconds);

}  // namespace zw

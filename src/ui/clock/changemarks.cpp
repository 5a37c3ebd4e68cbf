// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/changemarks.h"

#include <algorithm>

#include "locations/location.h"
#include "timecore/offsetchange.h"

namespace zw {

bool CChangeMarks::Refresh(const std::vector<const CLocation*>& places, const CDateTime& now) {
  const std::int64_t minute = now.Seconds() / 60;
  if (minute == m_minute && places == m_places) {
    return false;
  }
  m_minute = minute;
  m_places = places;
  std::vector<Mark> marks;
  marks.reserve(places.size());
  for (const CLocation* place : places) {
    const auto change = NextOffsetChange(place->Zone(), now);
    if (!change || change->at.Seconds() - now.Seconds() > kAheadSeconds) {
      marks.push_back(Mark::kNone);
      continue;
    }
    marks.push_back(change->GoesForward() ? Mark::kForward : Mark::kBack);
  }
  const bool changed = marks != m_marks;
  m_marks = std::move(marks);
  return changed;
}

bool CChangeMarks::Any() const {
  return std::any_of(m_marks.begin(), m_marks.end(), [](Mark m) { return m != Mark::kNone; });
}

}  // namespace zw

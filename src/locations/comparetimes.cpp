// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/comparetimes.h"

#include <cstdlib>

namespace zw {

void CCompareTimes::TakeLocal(const CLocation& location, const CDateTime& local,
                              const DisplayOptions& options) {
  m_time = PlaceTime::FromLocalForComparison(location, local, options).gmt;
}

std::optional<PlaceTime> CCompareTimes::Convert(const CLocation& location,
                                                const DisplayOptions& options) const {
  if (!m_time) {
    return std::nullopt;
  }
  return PlaceTime::FromGmt(location, *m_time, options);
}

CCompareTimes::Texts CCompareTimes::Show(const CLocation* left, const CLocation* right,
                                         const DisplayOptions& options) const {
  if (left == nullptr || right == nullptr || !m_time) {
    return {};
  }
  const PlaceTime leftTime = PlaceTime::FromGmt(*left, *m_time, options);
  const PlaceTime rightTime = PlaceTime::FromGmt(*right, *m_time, options);
  return Texts{Line(leftTime), Line(rightTime),
               Sentence(*left, leftTime.local, *right, rightTime.local)};
}

std::string CCompareTimes::Line(const PlaceTime& time) {
  std::string line = time.date;
  line += kLineGap;
  line += time.time;
  return line;
}

std::string CCompareTimes::Place(const CLocation& location) {
  std::string place = location.Name();
  if (!location.Country().empty()) {
    place += kIn;
    place += location.Country();
  }
  return place;
}

std::string CCompareTimes::Distance(const CDateTime& left, const CDateTime& right) {
  if (left == right) {
    return std::string(kSameTime);
  }
  const CDateSpan span = left - right;
  const int hours = std::abs(span.Hours());
  const int minutes = std::abs(span.Minutes());
  std::string words(kIs);
  if (hours != 0) {
    words += std::to_string(hours);
    words += hours == 1 ? kHour : kHours;
  }
  if (minutes != 0) {
    words += std::to_string(minutes);
    words += minutes == 1 ? kMinute : kMinutes;
  }
  words += left > right ? kLater : kEarlier;
  return words;
}

std::string CCompareTimes::Sentence(const CLocation& left, const CDateTime& leftLocal,
                                    const CLocation& right, const CDateTime& rightLocal) {
  if (&left == &right) {
    return {};
  }
  return Place(left) + Distance(leftLocal, rightLocal) + Place(right);
}

}  // namespace zw

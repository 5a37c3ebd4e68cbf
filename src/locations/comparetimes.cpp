#include "locations/comparetimes.h"

#include <cstdlib>

namespace zw {

void CCompareTimes::TakeLocal(CLocation& location, const CDateTime& local,
                              const DisplayOptions& options) {
  location.ConvertToGmtForComparison(local, options);
  m_time = location.ConvertedGmt();
}

bool CCompareTimes::Convert(CLocation& location, const DisplayOptions& options) const {
  if (!m_time) {
    return false;
  }
  location.ConvertFromGmt(*m_time, options);
  return true;
}

CCompareTimes::Texts CCompareTimes::Show(CLocation* left, CLocation* right,
                                         const DisplayOptions& options) const {
  if (left == nullptr || right == nullptr || !m_time) {
    return {};
  }
  Convert(*left, options);
  Convert(*right, options);
  return Texts{Line(*left), Line(*right), Sentence(*left, *right)};
}

std::string CCompareTimes::Line(const CLocation& location) {
  std::string line = location.ConvertedDateText();
  line += kLineGap;
  line += location.ConvertedTimeText();
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

std::string CCompareTimes::Sentence(const CLocation& left, const CLocation& right) {
  if (&left == &right) {
    return {};
  }
  return Place(left) + Distance(left.ConvertedLocal(), right.ConvertedLocal()) + Place(right);
}

}  // namespace zw

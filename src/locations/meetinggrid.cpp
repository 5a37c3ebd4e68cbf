// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/meetinggrid.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace zw {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int64_t DayNumber(const CDateTime& t) {
  const std::int64_t seconds = t.Seconds();
  return seconds >= 0 ? seconds / CDateSpan::kSecondsPerDay
                      : -((-seconds + CDateSpan::kSecondsPerDay - 1) / CDateSpan::kSecondsPerDay);
}

}  // namespace

CMeetingGrid::CMeetingGrid(const std::vector<MeetingPlace>& places, const CDateTime& date) {
  const std::size_t rows = std::min(places.size(), kMaxPlaces);
  if (rows == 0) {
    return;
  }
  const CDateTime midnight(date.Year(), date.Month(), date.Day(), 0, 0, 0);
  const std::int64_t chosenDay = DayNumber(midnight);
  m_firstGmt = places.front().zone.ToGmt(midnight);
  m_names.reserve(rows);
  m_cells.reserve(rows * kColumns);
  for (std::size_t row = 0; row < rows; ++row) {
    const MeetingPlace& place = places[row];
    m_names.push_back(place.name);
    for (int column = 0; column < kColumns; ++column) {
      MeetingCell cell;
      cell.local = place.zone.ToLocal(ColumnGmt(column));
      cell.dayShift =
          static_cast<int>(std::clamp<std::int64_t>(DayNumber(cell.local) - chosenDay, -1, 1));
      const int hour = cell.local.Hour();
      cell.working = place.hours.Covers(hour * 60 + cell.local.Minute());
      cell.night = hour < kNightEnds || hour >= kNightBegins;
      m_cells.push_back(cell);
    }
  }
}

CDateTime CMeetingGrid::ColumnGmt(int column) const {
  return m_firstGmt + CDateSpan(0, column, 0, 0);
}

std::vector<int> CMeetingGrid::GoodForAll() const {
  std::vector<int> good;
  if (Rows() == 0) {
    return good;
  }
  for (int column = 0; column < kColumns; ++column) {
    bool all = true;
    for (std::size_t row = 0; row < Rows() && all; ++row) {
      all = Cell(row, column).working;
    }
    if (all) {
      good.push_back(column);
    }
  }
  return good;
}

std::string CMeetingGrid::DayText(const CDateTime& local) {
  char text[32];
  std::snprintf(text, sizeof text, "%s %d %s %d", kWeekdays[local.DayOfWeek() - 1], local.Day(),
                kMonths[local.Month() - 1], local.Year());
  return text;
}

std::string CMeetingGrid::HourText(const CDateTime& local) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", local.Hour(), local.Minute());
  return text;
}

std::string CMeetingGrid::Summary(int column) const {
  std::size_t width = 0;
  for (const std::string& name : m_names) {
    width = std::max(width, name.size());
  }
  std::string text;
  for (std::size_t row = 0; row < Rows(); ++row) {
    const MeetingCell& cell = Cell(row, column);
    text += m_names[row] + std::string(width - m_names[row].size() + 2, ' ') + DayText(cell.local) +
            " " + HourText(cell.local) + "\n";
  }
  return text;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "timecore/datetime.h"
#include "timecore/zone.h"

namespace zw {

// The part of a day a place works, in minutes after its local midnight; end is exclusive.
struct WorkingHours {
  int startMinute = 9 * 60;
  int endMinute = 17 * 60;

  // Whether the whole local hour starting at `minute` lies inside the working day.
  bool Covers(int minute) const { return minute >= startMinute && minute + 60 <= endMinute; }
  friend bool operator==(const WorkingHours&, const WorkingHours&) = default;
};

// One place on the planner: its name as shown, its zone (a view, see CZone) and its hours.
struct MeetingPlace {
  std::string name;
  CZone zone;
  WorkingHours hours;
};

// One hour of one place on the planner.
struct MeetingCell {
  CDateTime local = CDateTime::FromSeconds(0);
  // The local date against the chosen date: -1 the day before, +1 the day after.
  int dayShift = 0;
  bool working = false;
  bool night = false;
};

// The 24 hours of a date in the first place's time, as every place sees them: rows are
// places, columns are the hours. Each column is one real hour from the first place's local
// midnight, so on a day its clocks switch the column labels skip or repeat an hour.
class CMeetingGrid {
 public:
  static constexpr std::size_t kMaxPlaces = 10;
  static constexpr int kColumns = 24;
  // Local hours before this or from kNightEnds on are night.
  static constexpr int kNightEnds = 6;
  static constexpr int kNightBegins = 22;

  // Places past kMaxPlaces are left out. `date` is read at its day only.
  CMeetingGrid(const std::vector<MeetingPlace>& places, const CDateTime& date);

  std::size_t Rows() const { return m_names.size(); }
  const std::string& Name(std::size_t row) const { return m_names[row]; }
  const MeetingCell& Cell(std::size_t row, int column) const {
    return m_cells[row * kColumns + static_cast<std::size_t>(column)];
  }
  CDateTime ColumnGmt(int column) const;

  // Columns where every place is inside its working hours.
  std::vector<int> GoodForAll() const;

  // One line per place with its local date and time at the column, for pasting into a
  // message: "London  Mon 12 Jan 2026 14:00".
  std::string Summary(int column) const;

  // "Mon 12 Jan 2026"
  static std::string DayText(const CDateTime& local);
  // "14:00", or "14:30" in a half-hour zone.
  static std::string HourText(const CDateTime& local);

 private:
  CDateTime m_firstGmt = CDateTime::FromSeconds(0);
  std::vector<std::string> m_names;
  std::vector<MeetingCell> m_cells;
};

}  // namespace zw

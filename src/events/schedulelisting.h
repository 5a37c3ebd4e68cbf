// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "events/event.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"
#include "timecore/zone.h"
#include "timecore/zonerule.h"

namespace zw {

class CEventList;
class CEventSchedule;

// Every due instant of every event within a run of days, each with the time it is shown at:
// the wall-clock time of a chosen basis location, or GMT. Rows are small so that a thousand
// days of a hundred events list and sort quickly; the texts are made only for what is shown.
class CScheduleListing {
 public:
  enum Column {
    kNameColumn = 0,
    kTimeColumn = 1,
    kLocationColumn = 2,
    kFrequencyColumn = 3,
    kPreNotifyColumn = 4,
    kColumnCount = 5,
  };

  static constexpr std::string_view kMinutesSuffix = " min.";

  // One event as it stood when listed. The record and the rule are copies, so an event that
  // leaves the alarm list while its rows are shown can still be summarised or copied; tz zones
  // live as long as the location database.
  struct Event {
    // The event's identity in the alarm list; compared, never followed.
    const CEventSchedule* schedule = nullptr;
    CEvent alarm;
    CZoneRule rule;
    const CTzZone* tz = nullptr;
    CZone Zone() const { return CZone(rule, tz); }
    // Positions in the byte order of names and of location texts, so sorting compares ints.
    std::uint32_t nameRank = 0;
    std::uint32_t locationRank = 0;
  };

  struct Row {
    std::uint32_t event;
    std::int64_t gmt;    // the due instant
    std::int64_t shown;  // the same instant at the basis
  };

  // Lists the due instants from the first day at 00:00 of basis time for days + 1 days, none
  // before now; basis null means GMT. Events whose location is unknown are left out. The rows
  // come in time order.
  void Fill(const CEventList& alarms, const CZone* basis, int year, int month, int day, int days);
  void Clear();
  // The GMT span Fill lists, [first, end): its days in basis time, none of it before now.
  struct Span {
    CDateTime first;
    CDateTime end;
  };
  static Span SpanOf(const CZone* basis, int year, int month, int day, int days);

  // Sorts by the keys of a column, its own first (the name column by name, the time column by
  // time), always ascending. The result is the old position of each row in its new order.
  std::vector<std::uint32_t> Sort(int column);

  std::size_t Count() const { return m_rows.size(); }
  const Row& At(std::size_t row) const { return m_rows[row]; }
  const Event& EventOf(std::size_t row) const { return m_events[m_rows[row].event]; }
  std::string Text(std::size_t row, int column, const DisplayOptions& options) const;
  // The text of a column for a row of `event` shown at `shown` seconds.
  static std::string CellText(const Event& event, std::int64_t shown, int column,
                              const DisplayOptions& options);

  // The words of the frequency column: "Daily" .. "One-Time"; empty for an unknown value.
  static std::string_view FrequencyWord(int frequency);
  // "dd/mm/yyyy hh:mm:ss" in the options' date order and clock, seconds always shown.
  static std::string TimeText(CDateTime time, const DisplayOptions& options);

 private:
  void AddEvent(const CEventSchedule& schedule, const CZone* basis, const CDateTime& start,
                const CDateTime& end);
  void RankEvents();
  bool Before(const Row& a, const Row& b, int column) const;

  std::vector<Event> m_events;
  std::vector<Row> m_rows;
};

}  // namespace zw

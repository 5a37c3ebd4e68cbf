// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/schedulelisting.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "events/eventlist.h"
#include "locations/location.h"

namespace zw {

namespace {

constexpr std::string_view kFrequencyWords[] = {"Daily", "Weekly", "Monthly", "Annual", "One-Time"};

// Dense ranks of texts in byte order: equal texts share a rank.
template <typename Key>
void Rank(std::vector<CScheduleListing::Event>& events, Key key,
          std::uint32_t CScheduleListing::Event::*rank) {
  std::vector<std::uint32_t> order(events.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(),
            [&](std::uint32_t a, std::uint32_t b) { return key(events[a]) < key(events[b]); });
  std::uint32_t current = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && key(events[order[i - 1]]) != key(events[order[i]])) {
      ++current;
    }
    events[order[i]].*rank = current;
  }
}

}  // namespace

void CScheduleListing::Clear() {
  m_events.clear();
  m_rows.clear();
}

CScheduleListing::Span CScheduleListing::SpanOf(const CZone* basis, int year, int month, int day,
                                                int days) {
  CDateTime start(year, month, day, 0, 0, 0);
  CDateTime end = start + CDateSpan(days + 1, 0, 0, 0);
  if (basis != nullptr) {
    start = basis->ToGmt(start);
    end = basis->ToGmt(end);
  }
  // The part of today that has passed is not listed.
  const CDateTime now;
  if (now > start) {
    start = now;
  }
  return {start, end};
}

void CScheduleListing::Fill(const CEventList& alarms, const CZone* basis, int year, int month,
                            int day, int days) {
  Clear();
  const auto [start, end] = SpanOf(basis, year, month, day, days);
  for (std::size_t i = 0; i < alarms.GetCount(); ++i) {
    AddEvent(*alarms.GetSchedule(i), basis, start, end);
  }
  RankEvents();
  Sort(kTimeColumn);
}

void CScheduleListing::AddEvent(const CEventSchedule& schedule, const CZone* basis,
                                const CDateTime& start, const CDateTime& end) {
  const CLocation* location = schedule.Location();
  // An event switched off never comes due, so it has no rows.
  if (location == nullptr || schedule.Alarm()->IsOff()) {
    return;
  }
  const auto index = static_cast<std::uint32_t>(m_events.size());
  const CZone zone = location->Zone();
  m_events.push_back(Event{&schedule, *schedule.Alarm(), zone.Rule(), zone.Tz()});
  const CDateTime localEnd = zone.ToLocal(end);
  for (auto t = schedule.NextOccurrence(zone.ToLocal(start)); t && *t < localEnd;
       t = schedule.NextOccurrence(*t)) {
    const CDateTime gmt = zone.ToGmt(*t);
    const CDateTime shown = basis != nullptr ? basis->ToLocal(gmt) : gmt;
    m_rows.push_back(Row{index, gmt.Seconds(), shown.Seconds()});
  }
}

void CScheduleListing::RankEvents() {
  Rank(
      m_events, [](const Event& e) { return e.alarm.Name(); }, &Event::nameRank);
  Rank(
      m_events, [](const Event& e) { return e.alarm.LocationName(); }, &Event::locationRank);
}

// Every column ends its keys with the event's place in the alarm list, so the order never
// depends on the order the rows had before.
bool CScheduleListing::Before(const Row& a, const Row& b, int column) const {
  const Event& ea = m_events[a.event];
  const Event& eb = m_events[b.event];
  switch (column) {
    case kNameColumn:
      return std::tie(ea.nameRank, a.gmt, ea.locationRank, a.event) <
             std::tie(eb.nameRank, b.gmt, eb.locationRank, b.event);
    case kLocationColumn:
      return std::tie(ea.locationRank, a.gmt, a.event) < std::tie(eb.locationRank, b.gmt, b.event);
    case kFrequencyColumn:
      return std::tie(ea.alarm.Fields().frequency, a.gmt, a.event) <
             std::tie(eb.alarm.Fields().frequency, b.gmt, b.event);
    case kPreNotifyColumn:
      return std::tie(ea.alarm.Fields().preNotifyMinutes, a.gmt, a.event) <
             std::tie(eb.alarm.Fields().preNotifyMinutes, b.gmt, b.event);
    default:
      return std::tie(a.gmt, ea.nameRank, ea.locationRank, a.event) <
             std::tie(b.gmt, eb.nameRank, eb.locationRank, b.event);
  }
}

std::vector<std::uint32_t> CScheduleListing::Sort(int column) {
  std::vector<std::uint32_t> order(m_rows.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [this, column](std::uint32_t a, std::uint32_t b) {
    return Before(m_rows[a], m_rows[b], column);
  });
  std::vector<Row> sorted;
  sorted.reserve(m_rows.size());
  for (const std::uint32_t from : order) {
    sorted.push_back(m_rows[from]);
  }
  m_rows = std::move(sorted);
  return order;
}

std::string CScheduleListing::Text(std::size_t row, int column,
                                   const DisplayOptions& options) const {
  return CellText(EventOf(row), m_rows[row].shown, column, options);
}

std::string CScheduleListing::CellText(const Event& event, std::int64_t shown, int column,
                                       const DisplayOptions& options) {
  const AlarmRecord& fields = event.alarm.Fields();
  switch (column) {
    case kNameColumn:
      return event.alarm.Name();
    case kTimeColumn:
      return TimeText(CDateTime::FromSeconds(shown), options);
    case kLocationColumn:
      return event.alarm.LocationName();
    case kFrequencyColumn:
      return std::string(FrequencyWord(fields.frequency));
    case kPreNotifyColumn: {
      if (fields.preNotifyMinutes <= 0) {
        return {};
      }
      std::string text = std::to_string(fields.preNotifyMinutes);
      text.append(kMinutesSuffix);
      return text;
    }
    default:
      return {};
  }
}

std::string_view CScheduleListing::FrequencyWord(int frequency) {
  if (frequency < kDaily || frequency > kOneTime) {
    return {};
  }
  return kFrequencyWords[frequency];
}

std::string CScheduleListing::TimeText(CDateTime time, const DisplayOptions& options) {
  std::string text =
      time.FormatDate(options.dateOrder, CDateTime::DateSeparator(options.dateOrder), 4);
  text.push_back(' ');
  text.append(time.FormatTime(options.hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour,
                              ":", true));
  return text;
}

}  // namespace zw

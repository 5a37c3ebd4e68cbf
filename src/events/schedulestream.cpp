// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/schedulestream.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "events/eventlist.h"
#include "locations/location.h"

namespace zw {

namespace {

// Dense ranks of texts in byte order, the tie-breakers the listing sorts equal times by.
template <typename Key>
std::vector<std::uint32_t> Ranks(const std::vector<CScheduleStream::Event>& events, Key key) {
  std::vector<std::uint32_t> order(events.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(),
            [&](std::uint32_t a, std::uint32_t b) { return key(events[a]) < key(events[b]); });
  std::vector<std::uint32_t> ranks(events.size());
  std::uint32_t current = 0;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && key(events[order[i - 1]]) != key(events[order[i]])) {
      ++current;
    }
    ranks[order[i]] = current;
  }
  return ranks;
}

}  // namespace

bool CScheduleStream::Later::operator()(const Pending& a, const Pending& b) const {
  return std::tie(a.gmt, a.nameRank, a.locationRank, a.event) >
         std::tie(b.gmt, b.nameRank, b.locationRank, b.event);
}

CScheduleStream::CScheduleStream(const CEventList& alarms, const CZone* basis, int year, int month,
                                 int day, int days)
    : m_basis(basis) {
  const auto [start, end] = CScheduleListing::SpanOf(basis, year, month, day, days);
  for (std::size_t i = 0; i < alarms.GetCount(); ++i) {
    const CEventSchedule& schedule = *alarms.GetSchedule(i);
    const CLocation* location = schedule.Location();
    // An event switched off never comes due, so it has no rows.
    if (location == nullptr || schedule.Alarm()->IsOff()) {
      continue;
    }
    const CZone zone = location->Zone();
    m_events.push_back(Event{&schedule, *schedule.Alarm(), zone.Rule(), zone.Tz()});
    m_locals.push_back(zone.ToLocal(start));
    m_localEnds.push_back(zone.ToLocal(end));
  }
  const std::vector<std::uint32_t> names =
      Ranks(m_events, [](const Event& e) { return e.alarm.Name(); });
  const std::vector<std::uint32_t> places =
      Ranks(m_events, [](const Event& e) { return e.alarm.LocationName(); });
  for (std::uint32_t i = 0; i < m_events.size(); ++i) {
    m_events[i].nameRank = names[i];
    m_events[i].locationRank = places[i];
    Schedule(i, m_events[i].schedule->NextOccurrence(m_locals[i]));
  }
}

void CScheduleStream::Schedule(std::uint32_t event, std::optional<CDateTime> local) {
  if (!local || !(*local < m_localEnds[event])) {
    return;
  }
  const Event& e = m_events[event];
  m_locals[event] = *local;
  m_pending.push(Pending{e.Zone().ToGmt(*local).Seconds(), e.nameRank, e.locationRank, event});
}

std::optional<CScheduleStream::Occurrence> CScheduleStream::Next() {
  if (m_pending.empty()) {
    return std::nullopt;
  }
  const Pending due = m_pending.top();
  m_pending.pop();
  const CDateTime gmt = CDateTime::FromSeconds(due.gmt);
  const CDateTime shown = m_basis != nullptr ? m_basis->ToLocal(gmt) : gmt;
  const Event& event = m_events[due.event];
  Schedule(due.event, event.schedule->NextOccurrence(m_locals[due.event]));
  return Occurrence{&event, due.gmt, shown.Seconds()};
}

}  // namespace zw

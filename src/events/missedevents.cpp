// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/missedevents.h"

#include <algorithm>
#include <charconv>

#include "events/event.h"
#include "events/eventlist.h"
#include "locations/location.h"
#include "settings/smallfile.h"

namespace zw {

namespace {

// Daily is the most frequent repeat, so a year's gap holds a few hundred occurrences; the
// guard only stops a walk that a damaged record could keep going.
constexpr int kMaxWalk = 4 * CMissedEvents::kMaxGapDays;

void Collect(const CEventSchedule& schedule, const CDateTime& from, const CDateTime& limit,
             std::vector<MissedOccurrence>& out) {
  const CZone zone = schedule.Location()->Zone();
  const CEvent& alarm = *schedule.Alarm();
  const CDateSpan preNotify(0, 0, alarm.Fields().preNotifyMinutes, 0);
  std::optional<CDateTime> due = schedule.Next();
  if (zone.ToGmt(*due) <= from) {
    due = schedule.NextOccurrence(zone.ToLocal(from));
  }
  std::vector<MissedOccurrence> found;
  const auto copy = std::make_shared<CEvent>(alarm);
  for (int step = 0; due && step < kMaxWalk; ++step, due = schedule.NextOccurrence(*due)) {
    const CDateTime gmt = zone.ToGmt(*due);
    if (gmt > limit) {
      break;
    }
    if (gmt <= from) {
      continue;
    }
    found.push_back({copy, schedule.Location()->Name(), *due + preNotify, gmt,
                     MissedAction::kRunLate, &schedule});
    if (found.size() > CMissedEvents::kMaxPerEvent) {
      found.erase(found.begin());
    }
  }
  if (found.empty()) {
    return;
  }
  const MissedChoice choice = alarm.Missed();
  for (MissedOccurrence& occurrence : found) {
    occurrence.action =
        choice == MissedChoice::kSkip ? MissedAction::kSkip : MissedAction::kCovered;
  }
  if (choice != MissedChoice::kSkip) {
    found.back().action =
        choice == MissedChoice::kAsk ? MissedAction::kAsk : MissedAction::kRunLate;
  }
  out.insert(out.end(), found.begin(), found.end());
}

}  // namespace

CDateTime CMissedEvents::LateLimit(const CDateTime& gmtNow) {
  return gmtNow - CDateSpan(0, 0, 0, kLateAfterSeconds);
}

std::vector<MissedOccurrence> CMissedEvents::Find(const CEventList& events,
                                                  const std::optional<CDateTime>& lastSeen,
                                                  const CDateTime& gmtNow) {
  const CDateTime limit = LateLimit(gmtNow);
  const CDateTime oldest = gmtNow - CDateSpan(kMaxGapDays, 0, 0, 0);
  const CDateTime from = lastSeen ? std::max(*lastSeen, oldest) : oldest;
  std::vector<MissedOccurrence> missed;
  for (std::size_t i = 0; i < events.GetCount(); ++i) {
    const CEventSchedule& schedule = *events.GetSchedule(i);
    if (schedule.Next() && schedule.Location() != nullptr && !schedule.Alarm()->IsOff()) {
      Collect(schedule, from, limit, missed);
    }
  }
  std::ranges::stable_sort(missed, {}, &MissedOccurrence::gmt);
  return missed;
}

std::string_view CMissedEvents::Word(MissedAction action) {
  switch (action) {
    case MissedAction::kRunLate:
      return "run late";
    case MissedAction::kCovered:
      return "covered";
    case MissedAction::kSkip:
      return "skip";
    case MissedAction::kAsk:
      return "ask";
  }
  return {};
}

std::optional<CDateTime> CLastSeenFile::Load() {
  const SmallFileLines file = ReadSmallFile(m_path, kMaxBytes);
  m_unreadable = file.unreadable;
  if (file.lines.empty()) {
    return std::nullopt;
  }
  const std::string& text = file.lines.front();
  std::int64_t seconds = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
  if (error != std::errc() || end != text.data() + text.size() || seconds < 0 ||
      seconds >= CDateTime::kLastSecond) {
    return std::nullopt;
  }
  return CDateTime::FromSeconds(seconds);
}

bool CLastSeenFile::Save(const CDateTime& gmt) {
  if (m_unreadable) {
    return false;
  }
  return WriteFileAtomically(m_path, std::to_string(gmt.Seconds()) + "\n");
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/icaltzone.h"

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "events/icaltext.h"
#include "timecore/tzzone.h"

namespace zw::ical {

namespace {

// Years of switches looked at. A yearly rule is only trusted when it has held for a whole
// cycle of weekdays and leap years, so that it holds for good; switches that follow none
// are written out one by one for these years, after which the last offset stays.
constexpr int kYears = 40;
constexpr int kCycleYears = 28;
// Bounds the walk for zones that switch far more often than twice a year.
constexpr std::size_t kMaxChanges = 4 * kYears;

struct Change {
  std::int64_t utc = 0;
  std::int32_t before = 0;
  std::int32_t after = 0;
  bool dst = false;

  // Onsets are written in the wall-clock time in force before the switch.
  CDateTime Onset() const { return CDateTime::FromSeconds(utc + before); }
};

// What a switch shares with the same switch of the next year when both follow one rule.
struct Yearly {
  bool dst = false;
  std::int32_t before = 0;
  std::int32_t after = 0;
  int month = 0;
  int weekday = 0;  // 1 = Sunday
  int timeOfDay = 0;
  friend bool operator==(const Yearly&, const Yearly&) = default;
};

Yearly YearlyOf(const Change& c) {
  const CDateTime onset = c.Onset();
  return {
      c.dst,         c.before,          c.after,
      onset.Month(), onset.DayOfWeek(), onset.Hour() * 3600 + onset.Minute() * 60 + onset.Second()};
}

// Rules name a weekday within seven days of the month that hold it once a year: days s..s+6
// (bit s-1, s up to 22 so that every month has them) or the seventh..last but e days from the
// month's end (bit kFromEnd+e). A switch set at another hour of a rule's day, such as the
// Saturday 23:00 of a switch at "last Sunday -1:00", still fits a window of its own.
constexpr int kWindows = 22;
constexpr int kFromEnd = kWindows;
using Windows = std::uint64_t;

Windows WindowsOf(const Change& c) {
  const CDateTime onset = c.Onset();
  const int day = onset.Day();
  const int fromEnd = CDateTime::DaysInMonth(onset.Year(), onset.Month()) - day;
  Windows fit = 0;
  for (int w = 0; w < kWindows; ++w) {
    const bool counted = day >= w + 1 && day <= w + 7;
    const bool fromLast = fromEnd >= w && fromEnd <= w + 6;
    fit |= (counted ? Windows{1} << w : 0) | (fromLast ? Windows{1} << (kFromEnd + w) : 0);
  }
  return fit;
}

// The switches from `start` on recur every year by one rule each; `windows` holds the days
// the first and the second of them fit every year.
struct Rules {
  std::size_t start = 0;
  Windows windows[2] = {0, 0};
};

// The first switch from which every switch recurs a year later by the same rule; the size
// when they do not settle into one for a whole cycle.
Rules RuleStart(std::span<const Change> changes) {
  const std::size_t n = changes.size();
  Rules rules{n, {0, 0}};
  if (n < 4) {
    return rules;
  }
  // By the parity of the switch's index: the two rules alternate.
  Windows fit[2] = {};
  fit[(n - 2) % 2] = WindowsOf(changes[n - 2]);
  fit[(n - 1) % 2] = WindowsOf(changes[n - 1]);
  std::size_t s = n - 2;
  while (s > 0 && YearlyOf(changes[s - 1]) == YearlyOf(changes[s + 1]) &&
         changes[s - 1].Onset().Year() + 1 == changes[s + 1].Onset().Year() &&
         (fit[(s - 1) % 2] & WindowsOf(changes[s - 1])) != 0) {
    fit[(s - 1) % 2] &= WindowsOf(changes[s - 1]);
    --s;
  }
  if (changes[s].Onset().Year() + kCycleYears > changes[n - 1].Onset().Year()) {
    return rules;
  }
  return {s, {fit[s % 2], fit[(s + 1) % 2]}};
}

// The BYDAY (and BYMONTHDAY) of a rule, the plain forms first.
std::string DayRule(int weekday, Windows windows) {
  const std::string code(WeekdayCode(weekday - 1));
  for (const int w : {0, 7, 14, 21}) {
    if ((windows >> w & 1) != 0) {
      return "BYDAY=" + std::to_string(w / 7 + 1) + code;
    }
  }
  if ((windows >> kFromEnd & 1) != 0) {
    return "BYDAY=-1" + code;
  }
  const int w = std::countr_zero(windows);
  std::string days;
  for (int d = 0; d < 7; ++d) {
    days += d == 0 ? "" : ",";
    days += std::to_string(w < kFromEnd ? w + 1 + d : -(w - kFromEnd + 7) + d);
  }
  return "BYDAY=" + code + ";BYMONTHDAY=" + days;
}

icalcomponent* Observance(const Change& first) {
  icalcomponent* part = first.dst ? icalcomponent_new_xdaylight() : icalcomponent_new_xstandard();
  icalcomponent_add_property(part, icalproperty_new_dtstart(WallTime(first.Onset())));
  icalcomponent_add_property(part, icalproperty_new_tzoffsetfrom(first.before));
  icalcomponent_add_property(part, icalproperty_new_tzoffsetto(first.after));
  return part;
}

// One observance per kind of switch, its later onsets as RDATEs.
void AddOnsets(icalcomponent* tz, std::span<const Change> changes) {
  std::vector<icalcomponent*> parts;
  std::vector<const Change*> kinds;
  for (const Change& c : changes) {
    std::size_t k = 0;
    while (k < kinds.size() &&
           (kinds[k]->dst != c.dst || kinds[k]->before != c.before || kinds[k]->after != c.after)) {
      ++k;
    }
    if (k == kinds.size()) {
      kinds.push_back(&c);
      parts.push_back(Observance(c));
      continue;
    }
    icaldatetimeperiodtype onset{};
    onset.time = WallTime(c.Onset());
    onset.period = icalperiodtype_null_period();
    icalcomponent_add_property(parts[k], icalproperty_new_rdate(onset));
  }
  for (icalcomponent* part : parts) {
    icalcomponent_add_component(tz, part);
  }
}

void AddRule(icalcomponent* tz, const Change& first, Windows windows) {
  const Yearly y = YearlyOf(first);
  const std::string rule =
      "FREQ=YEARLY;BYMONTH=" + std::to_string(y.month) + ";" + DayRule(y.weekday, windows);
  icalcomponent* part = Observance(first);
  icalcomponent_add_property(part,
                             icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
  icalcomponent_add_component(tz, part);
}

}  // namespace

icaltimetype WallTime(const CDateTime& t) {
  icaltimetype it = icaltime_null_time();
  it.year = t.Year();
  it.month = t.Month();
  it.day = t.Day();
  it.hour = t.Hour();
  it.minute = t.Minute();
  it.second = t.Second();
  return it;
}

icalcomponent* TzTimeZone(const CTzZone& zone, const std::string& id, const CDateTime& fromGmt) {
  ZoneState state = zone.At(fromGmt);
  // The offset at the start comes first, as an onset that changes nothing, so times before
  // the first switch are read with it.
  std::vector<Change> changes{
      {fromGmt.Seconds(), state.offsetSeconds, state.offsetSeconds, state.dst}};
  const CDateTime until = fromGmt + CDateSpan(kYears * 366, 0, 0, 0);
  bool ongoing = false;
  for (CDateTime t = fromGmt; changes.size() < kMaxChanges;) {
    const std::optional<CDateTime> next = zone.NextChange(t);
    if (!next) {
      break;
    }
    if (!(*next < until)) {
      ongoing = true;
      break;
    }
    const ZoneState after = zone.At(*next);
    changes.push_back({next->Seconds(), state.offsetSeconds, after.offsetSeconds, after.dst});
    state = after;
    t = *next;
  }
  const std::span<const Change> switches = std::span<const Change>(changes).subspan(1);
  // A zone that stops switching keeps its last offset, which onsets alone say.
  const Rules rules = ongoing ? RuleStart(switches) : Rules{switches.size(), {0, 0}};
  const std::size_t rule = rules.start;
  icalcomponent* tz = icalcomponent_new_vtimezone();
  icalcomponent_add_property(tz, icalproperty_new_tzid(id.c_str()));
  AddOnsets(tz, std::span<const Change>(changes).first(rule + 1));
  if (rule < switches.size()) {
    AddRule(tz, switches[rule], rules.windows[0]);
    AddRule(tz, switches[rule + 1], rules.windows[1]);
  }
  return tz;
}

}  // namespace zw::ical

// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/offsetchange.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace zw {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::int32_t OffsetAt(const CZone& zone, std::int64_t gmt) {
  return zone.At(CDateTime::FromSeconds(gmt)).offsetSeconds;
}

// The stored rule switches at the start and end instants of each year; the daylight test is
// strict at the start, so the change falls one second after it there. Both readings of every
// instant of the years around `gmt` are candidates, checked against the rule itself.
std::optional<CDateTime> NextRuleChange(const CZone& zone, const CDateTime& gmt) {
  const CZoneRule& rule = zone.Rule();
  const DstRule& dst = rule.GetDstRule();
  if (dst.enabled == 0 || !dst.IsComputable()) {
    return std::nullopt;
  }
  const std::int64_t from = gmt.Seconds();
  const std::int32_t standard = rule.StandardOffset().TotalSeconds();
  const int year = (gmt + rule.StandardOffset()).Year();
  std::optional<std::int64_t> best;
  for (int y = year - 1; y <= year + 1; ++y) {
    const CDateTime start =
        CZoneRule::Transition(y, dst.startOrdinal, dst.startWeekday, dst.startMonth, dst.startHour);
    const CDateTime end =
        CZoneRule::Transition(y, dst.endOrdinal, dst.endWeekday, dst.endMonth, dst.endHour) -
        CDateSpan(0, 1, 0, 0);
    for (const CDateTime& local : {start, end}) {
      for (const std::int64_t at : {std::int64_t{local.Seconds()} - standard,
                                    std::int64_t{local.Seconds()} - standard + 1}) {
        if (at > from && (!best || at < *best) && OffsetAt(zone, at) != OffsetAt(zone, at - 1)) {
          best = at;
        }
      }
    }
  }
  if (!best) {
    return std::nullopt;
  }
  return CDateTime::FromSeconds(*best);
}

}  // namespace

std::optional<OffsetChange> NextOffsetChange(const CZone& zone, const CDateTime& gmt) {
  const std::optional<CDateTime> at =
      zone.Tz() != nullptr ? zone.Tz()->NextChange(gmt) : NextRuleChange(zone, gmt);
  if (!at) {
    return std::nullopt;
  }
  OffsetChange change;
  change.at = *at;
  change.oldOffset = OffsetAt(zone, std::int64_t{at->Seconds()} - 1);
  change.newOffset = zone.At(*at).offsetSeconds;
  change.localBefore = *at + CDateSpan::FromSeconds(change.oldOffset);
  return change;
}

std::string DescribeOffsetStep(std::int32_t seconds) {
  const std::int32_t minutes = std::abs(seconds) / 60;
  const std::int32_t hours = minutes / 60;
  const std::string hourText = std::to_string(hours) + " h";
  const std::string minuteText = std::to_string(minutes % 60) + " min";
  if (minutes % 60 == 0) {
    return hourText;
  }
  return hours == 0 ? minuteText : hourText + " " + minuteText;
}

std::string DescribeOffsetChange(const OffsetChange& change) {
  const CDateTime& wall = change.localBefore;
  char when[48];
  std::snprintf(when, sizeof when, "%s %d %s %d at %02d:%02d", kWeekdays[wall.DayOfWeek() - 1],
                wall.Day(), kMonths[wall.Month() - 1], wall.Year(), wall.Hour(), wall.Minute());
  return std::string("Clocks go ") + (change.GoesForward() ? "forward " : "back ") +
         DescribeOffsetStep(change.newOffset - change.oldOffset) + " on " + when + " local";
}

}  // namespace zw

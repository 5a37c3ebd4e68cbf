// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/daymarks.h"

#include <bitset>
#include <memory>

#include "events/notesfile.h"
#include "events/schedulelisting.h"
#include "timecore/datetime.h"

namespace zw {

namespace {

// The days of one month that have an event, listed once per month shown rather than once a day.
struct MonthCache {
  int year = 0;
  int month = 0;
  std::bitset<32> days;
};

std::bitset<32> EventDays(const CEventList& events, const CZone* basis, int year, int month) {
  CScheduleListing listing;
  listing.Fill(events, basis, year, month, 1, CDateTime::DaysInMonth(year, month) - 1);
  std::bitset<32> days;
  for (std::size_t row = 0; row < listing.Count(); ++row) {
    const CDateTime shown = CDateTime::FromSeconds(listing.At(row).shown);
    if (shown.Year() == year && shown.Month() == month) {
      days.set(static_cast<std::size_t>(shown.Day()));
    }
  }
  return days;
}

}  // namespace

CMonthGrid::DayMarker EventDayMarker(const CEventList& events, const CNotesFile* notes,
                                     std::optional<CZone> basis) {
  auto cache = std::make_shared<MonthCache>();
  return [&events, notes, basis = std::move(basis), cache](int year, int month, int day) {
    if (cache->year != year || cache->month != month) {
      *cache = {year, month, EventDays(events, basis ? &*basis : nullptr, year, month)};
    }
    int marks = cache->days.test(static_cast<std::size_t>(day)) ? CMonthGrid::kHasEvents : 0;
    if (notes != nullptr && !notes->GetNote(CDateTime(year, month, day, 0, 0, 0)).empty()) {
      marks |= CMonthGrid::kHasNotes;
    }
    return marks;
  };
}

}  // namespace zw

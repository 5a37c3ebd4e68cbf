// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <queue>
#include <vector>

#include "events/schedulelisting.h"

namespace zw {

class CEventList;
class CZone;

// The rows CScheduleListing::Fill lists, in the same order, made one at a time: only the next
// due instant of each event is held, so a year of thousands of daily events can be printed
// without ever being in memory at once.
class CScheduleStream {
 public:
  using Event = CScheduleListing::Event;

  struct Occurrence {
    const Event* event = nullptr;
    std::int64_t gmt = 0;    // the due instant
    std::int64_t shown = 0;  // the same instant at the basis
  };

  // The same range as CScheduleListing::Fill; `alarms` and `basis` must outlive the stream.
  CScheduleStream(const CEventList& alarms, const CZone* basis, int year, int month, int day,
                  int days);

  // The next row in time order; nullopt once the range is done.
  std::optional<Occurrence> Next();

 private:
  struct Pending {
    std::int64_t gmt;
    std::uint32_t nameRank;
    std::uint32_t locationRank;
    std::uint32_t event;
  };
  struct Later {
    bool operator()(const Pending& a, const Pending& b) const;
  };

  void Schedule(std::uint32_t event, std::optional<CDateTime> local);

  const CZone* m_basis;
  std::vector<Event> m_events;
  // Per event: its pending occurrence and the end of the range, at its place.
  std::vector<CDateTime> m_locals;
  std::vector<CDateTime> m_localEnds;
  std::priority_queue<Pending, std::vector<Pending>, Later> m_pending;
};

}  // namespace zw

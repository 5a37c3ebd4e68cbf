// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class CEvent;
class CEventList;
class CEventSchedule;

// What the list of missed events does about one occurrence.
enum class MissedAction {
  kRunLate,  // carried out once, late
  kCovered,  // an earlier occurrence of an event run late or asked about: one run is enough
  kSkip,     // nothing
  kAsk,      // the user decides
};

struct MissedOccurrence {
  // A copy: the event itself may be edited or gone (a one-time one is) by the time it is run.
  std::shared_ptr<CEvent> alarm;
  std::string place;
  CDateTime at;   // the occurrence, at its place, pre-notify minutes not taken off
  CDateTime gmt;  // the instant its alarm was due
  MissedAction action = MissedAction::kRunLate;
  // Where it was found; good only until the list changes.
  const CEventSchedule* source = nullptr;
};

// The occurrences of the events that came due while nobody watched: after the instant last
// seen and after each event's own next due instant, and long enough before now that the due
// test would call them late. Earlier occurrences are not looked for beyond kMaxGapDays, and
// of each event only the kMaxPerEvent latest are kept.
class CMissedEvents {
 public:
  static constexpr int kLateAfterSeconds = 120;
  static constexpr int kMaxGapDays = 366;
  static constexpr std::size_t kMaxPerEvent = 24;

  // In order of their due instants; `lastSeen` none: only the events' own due instants bound.
  static std::vector<MissedOccurrence> Find(const CEventList& events,
                                            const std::optional<CDateTime>& lastSeen,
                                            const CDateTime& gmtNow);
  // Every missed occurrence is due no later than this.
  static CDateTime LateLimit(const CDateTime& gmtNow);
  // "run late", "covered", "skip", "ask": the words zw prints.
  static std::string_view Word(MissedAction action);
};

// The instant the program last watched its events, kept beside the event file so that the
// next start knows from when to look for missed ones. A damaged file counts as none; one that
// cannot be read is never replaced.
class CLastSeenFile {
 public:
  static constexpr std::string_view kFileName = "ALM_ZON.SEEN";
  static constexpr std::size_t kMaxBytes = 64;

  explicit CLastSeenFile(std::string path) : m_path(std::move(path)) {}

  std::optional<CDateTime> Load();
  bool Save(const CDateTime& gmt);

 private:
  std::string m_path;
  bool m_unreadable = false;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "events/event.h"
#include "events/eventschedule.h"
#include "platform/translatable.h"

namespace zw {

class CLocation;
class CLocationDB;
class IFileLayer;
class IMessageSink;

// Every event with its schedule, in the order read or added; ALM_ZON.DAT is the records one
// after another, 1404 bytes each.
class CEventList {
 public:
  static constexpr std::string_view kFileName = "ALM_ZON.DAT";
  static constexpr std::string_view kReadMessage =
      ZW_TR_NOOP("Core", "Cannot read the alarm file.  Return code: ");
  static constexpr std::string_view kOpenForSaveMessage =
      ZW_TR_NOOP("Core", "Cannot open the alarm file to save it.");
  static constexpr std::string_view kSaveMessage =
      ZW_TR_NOOP("Core", "Cannot save the alarm file.  Return code: ");
  static constexpr std::string_view kCloseForSaveMessage =
      ZW_TR_NOOP("Core", "Cannot close the alarm file while saving.  Close return code: ");
  static constexpr std::string_view kNotSavedMessage = ZW_TR_NOOP(
      "Core",
      "The alarm file \"ALM_ZON.DAT\" could not be read, so it is left as it is: events are not "
      "saved until it can be read.");
  // How a list shows an event whose place is not in the location database.
  static constexpr std::string_view kPlaceNotFound = "place not found";
  // Far beyond any real list; keeps a damaged or hostile file from exhausting memory.
  static constexpr std::size_t kMaxEvents = 20000;

  explicit CEventList(const CLocationDB& db) : m_db(db) {}
  CEventList(const CEventList&) = delete;
  CEventList& operator=(const CEventList&) = delete;

  std::size_t GetCount() const { return m_alarms.size(); }
  CEvent* GetAlarm(std::size_t index) const { return m_alarms[index].get(); }
  CEventSchedule* GetSchedule(std::size_t index) const { return m_schedules[index].get(); }
  const CLocationDB& Locations() const { return m_db; }

  // The event's name as lists show it, with kPlaceNotFound in parentheses when its place
  // is not in the database.
  std::string ListText(std::size_t index) const;

  // Takes the event, schedules it from its location's "now" and appends both.
  CEventSchedule* Add(std::unique_ptr<CEvent> alarm);
  void RemoveAt(std::size_t index);
  // Removes the entry whose schedule is this very object; unknown ones are ignored.
  void Remove(const CEventSchedule* schedule);
  int IndexOf(const CEventSchedule* schedule) const;
  // The first event at this location, or -1: a location in use cannot be deleted.
  int FirstUsing(const CLocation* location) const;

  // A missing file is no error: the list simply stays empty. An event whose place is not in
  // the database is kept, never comes due and is saved as it was read. A file that exists
  // but cannot be read whole is reported once and from then on never replaced or removed.
  bool Load(IFileLayer& files, IMessageSink& messages);
  // Writes every event with its next due instant; an empty list deletes the file. Refused
  // with kNotSavedMessage while the file could not be read.
  bool Save(IFileLayer& files, IMessageSink& messages);

 private:
  const CLocationDB& m_db;
  std::vector<std::unique_ptr<CEvent>> m_alarms;
  std::vector<std::unique_ptr<CEventSchedule>> m_schedules;
  bool m_unreadable = false;
};

}  // namespace zw

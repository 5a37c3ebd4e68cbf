// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "events/calendarmodule.h"

namespace zw {

// The calendar module, loaded from the module directory beside the running program
// (../<libdir>/zonewright). Once loaded it stays in the process.
class CCalendarWriter {
 public:
  // Loads the module; on failure returns nullptr and says why in `why`.
  static std::unique_ptr<CCalendarWriter> Load(std::string& why);
  ~CCalendarWriter();
  CCalendarWriter(const CCalendarWriter&) = delete;
  CCalendarWriter& operator=(const CCalendarWriter&) = delete;

  std::string Write(const std::vector<const CEventSchedule*>& events, const CDateTime& now) const;

 private:
  CCalendarWriter(void* handle, calendar_module::WriteFunction write)
      : m_handle(handle), m_write(write) {}

  void* m_handle;
  calendar_module::WriteFunction m_write;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calendarwriter.h"

#include <dlfcn.h>

#include "cli/besideprogram.h"

namespace zw {

std::unique_ptr<CCalendarWriter> CCalendarWriter::Load(std::string& why) {
  const std::string path =
      BesideProgram(std::string(ZW_MODULE_SUBDIR) + "/" + calendar_module::kFileName);
  if (path.empty()) {
    why = "the program cannot find where it runs from";
    return nullptr;
  }
  // libical keeps caches in its globals for the life of the process; unmapping the module
  // would orphan them.
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (handle == nullptr) {
    const char* error = ::dlerror();
    why = error != nullptr ? error : path;
    return nullptr;
  }
  auto* write = reinterpret_cast<calendar_module::WriteFunction>(
      ::dlsym(handle, calendar_module::kWriteSymbol));
  if (write == nullptr) {
    why = path + " is not a calendar module";
    ::dlclose(handle);
    return nullptr;
  }
  return std::unique_ptr<CCalendarWriter>(new CCalendarWriter(handle, write));
}

CCalendarWriter::~CCalendarWriter() {
  ::dlclose(m_handle);
}

std::string CCalendarWriter::Write(const std::vector<const CEventSchedule*>& events,
                                   const CDateTime& now) const {
  std::string text;
  m_write(&events, &now, &text);
  return text;
}

}  // namespace zw

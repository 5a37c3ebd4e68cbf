// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <ostream>
#include <string>

#include "timecore/datespan.h"
#include "timecore/datetime.h"

// Readable GoogleTest output for the time core's values (found by argument-dependent lookup).
namespace zw {

inline std::string Iso(const CDateTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.Year(), t.Month(), t.Day(),
                t.Hour(), t.Minute(), t.Second());
  return buf;
}

inline void PrintTo(const CDateTime& t, std::ostream* os) {
  *os << Iso(t) << " (" << t.Seconds() << " s)";
}

inline void PrintTo(const CDateSpan& span, std::ostream* os) {
  *os << span.TotalSeconds() << " s";
}

}  // namespace zw

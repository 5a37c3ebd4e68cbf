// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>
#include <time.h>

#include <cstdint>
#include <optional>
#include <string>

namespace zw::test {

// Sets TZ for the C library and puts the previous value back afterwards.
class ScopedTz {
 public:
  explicit ScopedTz(const std::string& zone) {
    if (const char* old = ::getenv("TZ")) {
      m_previous = old;
    }
    ::setenv("TZ", zone.c_str(), 1);
    ::tzset();
  }
  ~ScopedTz() {
    if (m_previous) {
      ::setenv("TZ", m_previous->c_str(), 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
  }
  ScopedTz(const ScopedTz&) = delete;
  ScopedTz& operator=(const ScopedTz&) = delete;

 private:
  std::optional<std::string> m_previous;
};

// The C library's reading of a UTC second under the current TZ.
struct LibcState {
  std::int64_t offset = 0;
  bool dst = false;
  friend bool operator==(const LibcState&, const LibcState&) = default;
};

inline LibcState LibcAt(std::int64_t utc) {
  const time_t t = static_cast<time_t>(utc);
  struct tm local {};
  ::localtime_r(&t, &local);
  return LibcState{local.tm_gmtoff, local.tm_isdst > 0};
}

}  // namespace zw::test

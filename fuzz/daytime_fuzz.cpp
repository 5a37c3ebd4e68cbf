// SPDX-License-Identifier: GPL-3.0-or-later
// A Daytime server's reply: a date and a time found in it are real ones.
#include <cstdlib>
#include <string_view>

#include "net/daytimereply.h"
#include "timecore/datetime.h"

using namespace zw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const CDaytimeReply reply(std::string_view(reinterpret_cast<const char*>(data), size));
  if (const auto& d = reply.FoundDate();
      d && (d->month < 1 || d->month > 12 || d->day < 1 ||
            d->day > CDateTime::DaysInMonth(d->year, d->month))) {
    std::abort();
  }
  if (const auto& t = reply.FoundTime(); t && (t->hour > 23 || t->minute > 59 || t->second > 59)) {
    std::abort();
  }
  reply.TimeOnReplyLine();
  return 0;
}

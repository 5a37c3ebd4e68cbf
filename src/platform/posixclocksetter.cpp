#include "platform/posixclocksetter.h"

#include <time.h>

namespace zw {

bool CPosixClockSetter::SetUtcSeconds(std::int64_t utcSeconds) {
  timespec now{};
  now.tv_sec = static_cast<time_t>(utcSeconds);
  return ::clock_settime(CLOCK_REALTIME, &now) == 0;
}

}  // namespace zw

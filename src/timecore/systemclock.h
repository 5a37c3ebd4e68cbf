#pragma once

#include "timecore/clocksource.h"

namespace zw {

class CSystemClock final : public IClockSource {
 public:
  std::int64_t UtcSeconds() const override;
};

}  // namespace zw

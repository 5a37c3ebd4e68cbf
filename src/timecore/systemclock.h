// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "timecore/clocksource.h"

namespace zw {

class CSystemClock final : public IClockSource {
 public:
  std::int64_t UtcSeconds() const override;
  std::int64_t UtcMilliseconds() const override;
  std::int64_t UtcMicroseconds() const override;
};

}  // namespace zw

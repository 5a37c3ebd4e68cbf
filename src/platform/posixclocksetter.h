// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/systemclocksetter.h"

namespace zw {

// The program setting the clock itself, which the system allows only with the privilege to.
class CPosixClockSetter final : public ISystemClockSetter {
 public:
  bool SetUtcSeconds(std::int64_t utcSeconds) override;
  bool AdjustByMicroseconds(std::int64_t microseconds) override;
};

}  // namespace zw

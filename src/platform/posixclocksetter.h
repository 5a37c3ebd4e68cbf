#pragma once

#include "platform/systemclocksetter.h"

namespace zw {

class CPosixClockSetter final : public ISystemClockSetter {
 public:
  bool SetUtcSeconds(std::int64_t utcSeconds) override;
};

}  // namespace zw

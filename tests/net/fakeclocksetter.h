// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>
#include <vector>

#include "platform/systemclocksetter.h"

namespace zw::test {

// Records where the clock would have been set; never touches the real one. Workers call it
// from their own threads.
class FakeClockSetter final : public ISystemClockSetter {
 public:
  bool SetUtcSeconds(std::int64_t utcSeconds) override {
    const std::lock_guard lock(m_mutex);
    m_calls.push_back(utcSeconds);
    return m_succeeds;
  }
  bool AdjustByMicroseconds(std::int64_t microseconds) override {
    const std::lock_guard lock(m_mutex);
    m_adjustments.push_back(microseconds);
    return m_succeeds;
  }
  bool KeptByTimeService() override { return m_kept; }

  // As an ordinary user, whom the system does not let set the clock.
  void Refuse() {
    const std::lock_guard lock(m_mutex);
    m_succeeds = false;
  }
  // As on a computer whose NTP service keeps the clock.
  void KeepByService() { m_kept = true; }
  std::vector<std::int64_t> Calls() const {
    const std::lock_guard lock(m_mutex);
    return m_calls;
  }
  std::vector<std::int64_t> Adjustments() const {
    const std::lock_guard lock(m_mutex);
    return m_adjustments;
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<std::int64_t> m_calls;
  std::vector<std::int64_t> m_adjustments;
  bool m_succeeds = true;
  bool m_kept = false;
};

}  // namespace zw::test

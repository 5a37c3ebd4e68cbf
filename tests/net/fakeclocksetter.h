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

  // As an ordinary user, whom the system does not let set the clock.
  void Refuse() {
    const std::lock_guard lock(m_mutex);
    m_succeeds = false;
  }
  std::vector<std::int64_t> Calls() const {
    const std::lock_guard lock(m_mutex);
    return m_calls;
  }

 private:
  mutable std::mutex m_mutex;
  std::vector<std::int64_t> m_calls;
  bool m_succeeds = true;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wallclockwatch.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>

namespace zw {

CWallClockWatch::CWallClockWatch() {
  m_fd = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
  if (m_fd >= 0) {
    Arm();
  }
}

CWallClockWatch::~CWallClockWatch() {
  if (m_fd >= 0) {
    ::close(m_fd);
  }
}

void CWallClockWatch::Arm() {
  // A deadline that never comes: the timer exists only to be cancelled when the clock is set.
  itimerspec never{};
  never.it_value.tv_sec = ::time(nullptr) + 100L * 365 * 24 * 3600;
  if (::timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never, nullptr) != 0) {
    ::close(m_fd);
    m_fd = -1;
  }
}

void CWallClockWatch::Acknowledge() {
  if (m_fd < 0) {
    return;
  }
  // After a jump the read fails with ECANCELED; either way the notice is taken.
  std::uint64_t expirations = 0;
  [[maybe_unused]] const ssize_t ignored = ::read(m_fd, &expirations, sizeof expirations);
  Arm();
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zw {

// Tells when the wall clock jumps: set by hand or by time sync, or moved on by a resume from
// suspend. Timers run on the monotonic clock and do not notice either. The descriptor becomes
// readable at each jump; it is -1 where the system cannot tell.
class CWallClockWatch {
 public:
  CWallClockWatch();
  ~CWallClockWatch();
  CWallClockWatch(const CWallClockWatch&) = delete;
  CWallClockWatch& operator=(const CWallClockWatch&) = delete;

  int Descriptor() const { return m_fd; }
  // Takes in the notice of a jump and watches for the next one.
  void Acknowledge();

 private:
  void Arm();

  int m_fd = -1;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <memory>

namespace zw {

class CWallClockWatch;

// Signals each jump of the wall clock in the event loop, for windows and services whose timers
// were armed against the time before it. Where the system cannot tell, it never signals.
class CWallClockNotifier : public QObject {
  Q_OBJECT

 public:
  explicit CWallClockNotifier(QObject* parent = nullptr);
  ~CWallClockNotifier() override;

 signals:
  void Jumped();

 private:
  std::unique_ptr<CWallClockWatch> m_watch;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/sleepwatch.h"

namespace zw {

CSleepWatch::CSleepWatch(QDBusConnection bus, QObject* parent) : QObject(parent) {
  // Any sender: the bus daemon routes the well-known name to whoever owns it at the time.
  m_watching = bus.isConnected() && bus.connect(QString(), kPath, kInterface, kSignal, this,
                                                SLOT(OnPrepareForSleep(bool)));
}

void CSleepWatch::OnPrepareForSleep(bool start) {
  if (start) {
    emit aboutToSleep();
  } else {
    emit resumed();
  }
}

}  // namespace zw

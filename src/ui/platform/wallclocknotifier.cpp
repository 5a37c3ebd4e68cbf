// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/platform/wallclocknotifier.h"

#include <QSocketNotifier>

#include "platform/wallclockwatch.h"

namespace zw {

CWallClockNotifier::CWallClockNotifier(QObject* parent)
    : QObject(parent), m_watch(std::make_unique<CWallClockWatch>()) {
  if (m_watch->Descriptor() < 0) {
    return;
  }
  auto* notifier = new QSocketNotifier(m_watch->Descriptor(), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    m_watch->Acknowledge();
    emit Jumped();
  });
}

CWallClockNotifier::~CWallClockNotifier() = default;

}  // namespace zw

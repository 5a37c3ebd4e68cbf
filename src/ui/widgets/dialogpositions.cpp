// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/dialogpositions.h"

#include <QScreen>
#include <QWidget>

namespace zw {

namespace {

ScreenRect ToScreenRect(const QRect& r) {
  return ScreenRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

bool CDialogPositions::IsRemembered(std::size_t slot) const {
  return slot < kSlotCount && m_rects[slot].right != 0;
}

void CDialogPositions::Place(QWidget* dialog, std::size_t slot) const {
  if (IsRemembered(slot)) {
    const ScreenRect& r = m_rects[slot];
    dialog->setGeometry(r.left, r.top, r.Width(), r.Height());
    return;
  }
  if (m_clock == nullptr) {
    return;
  }
  const QScreen* screen = m_clock->screen();
  const ScreenRect desk = ToScreenRect(screen != nullptr ? screen->availableGeometry() : QRect());
  dialog->adjustSize();
  const QSize size = dialog->frameGeometry().size();
  if (const auto at = CPlacement::BesideClock(ToScreenRect(m_clock->frameGeometry()),
                                              size.width(), size.height(), desk)) {
    dialog->move(at->x, at->y);
  }
}

void CDialogPositions::Remember(const QWidget* dialog, std::size_t slot) {
  if (slot < kSlotCount) {
    m_rects[slot] = ToScreenRect(dialog->geometry());
  }
}

void CDialogPositions::ForgetNearClock() {
  for (std::size_t i = 0; i < kFirstKept; ++i) {
    m_rects[i].right = 0;
  }
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/helpwindow.h"

#include <QIcon>
#include <QScreen>
#include <algorithm>

namespace zw {

namespace {

const QSize kPreferredSize(640, 560);
// The caption and borders the window manager adds around the window.
const QSize kFrameAllowance(16, 48);

int Clamped(int start, int length, int areaStart, int areaLength) {
  return std::clamp(start, areaStart, std::max(areaStart, areaStart + areaLength - length));
}

}  // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setWindowFlag(Qt::Window, true);
  setWindowTitle(tr("Zonewright Help"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/zonewright.svg")));
  setOpenExternalLinks(false);
  setSearchPaths({QStringLiteral(":/help")});
  resize(kPreferredSize);
}

void CHelpWindow::ShowContents() {
  ShowPage(QStringLiteral("index.html"));
}

void CHelpWindow::ShowPage(const QString& page, const QWidget* near) {
  setSource(QUrl(QStringLiteral("qrc:/help/") + page));
  if (!isVisible()) {
    Place(near);
  }
  show();
  raise();
  activateWindow();
}

void CHelpWindow::Place(const QWidget* near) {
  const QScreen* screen = near != nullptr ? near->screen() : this->screen();
  if (screen == nullptr) {
    return;
  }
  const QRect area = screen->availableGeometry();
  resize(kPreferredSize.boundedTo(area.size() - kFrameAllowance));
  QRect frame(QPoint(), size() + kFrameAllowance);
  frame.moveCenter(near != nullptr ? near->frameGeometry().center() : area.center());
  move(Clamped(frame.left(), frame.width(), area.left(), area.width()),
       Clamped(frame.top(), frame.height(), area.top(), area.height()));
}

}  // namespace zw

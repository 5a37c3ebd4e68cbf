// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/splashwnd.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace zw {

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setWindowTitle(tr("Zonewright"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 14, 18, 14);

  auto* welcome = new QLabel(tr("Welcome to Zonewright for Linux"));
  QFont times(QStringLiteral("Times"));
  times.setPixelSize(22);
  times.setBold(true);
  times.setItalic(true);
  welcome->setFont(times);
  welcome->setAlignment(Qt::AlignCenter);

  auto* picture = new QLabel;
  picture->setPixmap(QIcon(QStringLiteral(":/splash.svg")).pixmap(120, 90));
  picture->setAlignment(Qt::AlignCenter);

  auto* wait = new QLabel(tr("Please wait while data is loading..."));
  wait->setAlignment(Qt::AlignCenter);

  for (QLabel* label : {welcome, wait}) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
  }

  m_bar = new QProgressBar;
  m_bar->setRange(0, kRange);
  m_bar->setValue(0);
  m_bar->setTextVisible(false);

  layout->addWidget(welcome);
  layout->addWidget(picture);
  layout->addWidget(wait);
  layout->addWidget(m_bar);
  adjustSize();
  if (const QScreen* screen = QApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

void CSplashWnd::Step() {
  m_bar->setValue(std::min(kRange, m_bar->value() + kStep));
  m_bar->repaint();
}

int CSplashWnd::Progress() const {
  return m_bar->value();
}

}  // namespace zw

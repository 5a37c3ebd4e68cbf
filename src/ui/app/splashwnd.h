// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QProgressBar;

namespace zw {

// Shown while the location database loads. The loader reports about thirty steps per file,
// each one tenth of the bar's range.
class CSplashWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRange = 300;
  static constexpr int kStep = 10;

  explicit CSplashWnd(QWidget* parent = nullptr);

  // One progress step; repaints at once, as the loader holds the event loop meanwhile.
  void Step();
  int Progress() const;

 private:
  QProgressBar* m_bar = nullptr;
};

}  // namespace zw

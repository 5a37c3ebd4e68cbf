// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>

namespace zw {

// The bundled user guide: HTML pages compiled into the program.
class CHelpWindow : public QTextBrowser {
  Q_OBJECT

 public:
  explicit CHelpWindow(QWidget* parent = nullptr);
  void ShowContents();
  // Opens `page` ("convert.html#currency"). A window not yet shown opens over `near` (the
  // window F1 was pressed in), and always wholly on that window's screen.
  void ShowPage(const QString& page, const QWidget* near = nullptr);

 private:
  void Place(const QWidget* near);
};

}  // namespace zw

#pragma once

#include <QTextBrowser>

namespace zw {

// The bundled user guide: HTML pages compiled into the program, opened at their contents.
class CHelpWindow : public QTextBrowser {
  Q_OBJECT

 public:
  explicit CHelpWindow(QWidget* parent = nullptr);
  void ShowContents();
};

}  // namespace zw

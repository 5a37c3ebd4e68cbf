// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;

namespace zw {

// Introduces the program at start until the user asks not to see it again.
class CWelcomeDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CWelcomeDlg(QWidget* parent = nullptr);

  // Whether the panel should stay hidden from now on: the box's state when "Continue" closed
  // the panel, false when it was closed any other way.
  bool HideFromNowOn() const { return m_hide; }
  QCheckBox* HideBox() const { return m_box; }

 private:
  QCheckBox* m_box = nullptr;
  bool m_hide = false;
};

}  // namespace zw

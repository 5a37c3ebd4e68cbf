// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace zw {

// An alarm's own box: its message, "Dismiss", and "Snooze" for a choice of minutes. It stays
// above every window and blocks the program until answered.
class CAlarmBox : public QDialog {
  Q_OBJECT

 public:
  // `offered` is the choice shown first; the others are the monitor's snooze choices.
  CAlarmBox(const QString& text, int offered, QWidget* parent = nullptr);

  QString Text() const;
  // The minutes chosen for a snooze.
  int Minutes() const;
  QComboBox* MinutesList() const { return m_minutes; }
  QPushButton* SnoozeButton() const { return m_snooze; }
  QPushButton* DismissButton() const { return m_dismiss; }

  // Runs the box; the minutes to snooze for, or 0 when dismissed or closed.
  int Ask();

 private:
  QLabel* m_text;
  QComboBox* m_minutes;
  QPushButton* m_snooze;
  QPushButton* m_dismiss;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace zw {

struct EventSummary;

// "Event Summary": what one listed occurrence of an event is, read-only.
class CEventSummaryDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Event Summary");
  enum Line { kWhen, kName, kLocation, kFrequency, kPreNotify, kAction, kLineCount };

  explicit CEventSummaryDlg(const EventSummary& summary, QWidget* parent = nullptr);

  QLabel* Value(Line line) const { return m_values[line]; }

 private:
  std::array<QLabel*, kLineCount> m_values{};
};

}  // namespace zw

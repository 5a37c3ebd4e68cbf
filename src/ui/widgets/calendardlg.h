// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include "ui/widgets/monthgrid.h"

class QComboBox;
class QPushButton;

namespace zw {

// Picks a date from a month page: a month list, a year list and a grid of day buttons with
// the locale's first day of the week in the first column. Pressing a day closes the dialog with OK.
class CCalendarDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFirstYear = CMonthGrid::kFirstYear;
  static constexpr int kLastYear = CMonthGrid::kLastYear;
  static constexpr int kDayButtons = CMonthGrid::kDayButtons;

  // Opens on the given date; month 1..12. A year outside the list is moved to its nearer end.
  CCalendarDlg(int year, int month, int day, QWidget* parent = nullptr);

  // The picked date after OK; the opening date (year brought into the list) otherwise.
  int Year() const { return m_year; }
  int Month() const { return m_month; }
  int Day() const { return m_day; }

  QComboBox* MonthList() const { return m_grid->MonthList(); }
  QComboBox* YearList() const { return m_grid->YearList(); }
  // position 1..kDayButtons.
  QPushButton* DayButton(int position) const { return m_grid->DayButton(position); }
  CMonthGrid* Grid() const { return m_grid; }
  // Marks days with events or notes in every month shown.
  void SetDayMarker(CMonthGrid::DayMarker marker) {
    m_grid->SetDayMarker(std::move(marker));
    m_grid->ShowMonth(m_grid->ShownYear(), m_grid->ShownMonth());
  }

  // The date as the event dialogs write it: no leading zeros, a four-digit year, in a date
  // order of the settings (0 "M/D/YYYY", 1 "YYYY-M-D", 2 "D.M.YYYY"; others as 0).
  static QString DateText(int year, int month, int day, int order);

 private:
  // The opening day's button in the shown month, the month's last day where it is shorter.
  QPushButton* RememberedDayButton() const;
  void MarkDefaultDay();
  void Pick(int day);

  CMonthGrid* m_grid = nullptr;
  int m_year;
  int m_month;
  int m_day;
};

}  // namespace zw

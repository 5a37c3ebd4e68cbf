#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QComboBox;
class QGridLayout;
class QPushButton;

namespace zw {

// Picks a date from a month page: a month list, a year list and a grid of day buttons with
// Sunday in the first column. Pressing a day closes the dialog with OK.
class CCalendarDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 2037;
  // Enough for a 31-day month whose 1st falls on a Saturday.
  static constexpr int kDayButtons = 37;

  // Opens on the given date; month 1..12. A year outside the list is moved to its nearer end.
  CCalendarDlg(int year, int month, int day, QWidget* parent = nullptr);

  // The picked date after OK; the opening date (year brought into the list) otherwise.
  int Year() const { return m_year; }
  int Month() const { return m_month; }
  int Day() const { return m_day; }

  QComboBox* MonthList() const { return m_monthList; }
  QComboBox* YearList() const { return m_yearList; }
  // position 1..kDayButtons.
  QPushButton* DayButton(int position) const { return m_dayButtons.at(position - 1); }

  // The date as the event dialogs write it: no leading zeros, a four-digit year, in a date
  // order of the settings (0 "M/D/YYYY", 1 "YYYY-M-D", 2 "D.M.YYYY"; others as 0).
  static QString DateText(int year, int month, int day, int order);

 private:
  void BuildLists();
  void BuildDayGrid(QGridLayout* grid);
  int ShownYear() const;
  int ShownMonth() const;
  void LayOutDays();
  // The opening day's button in the shown month, the month's last day where it is shorter.
  QPushButton* RememberedDayButton() const;
  void PickPosition(int position);

  QComboBox* m_monthList = nullptr;
  QComboBox* m_yearList = nullptr;
  std::array<QPushButton*, kDayButtons> m_dayButtons{};
  // Weekday of the shown month's 1st, 1 = Sunday: the position of the button labelled 1.
  int m_firstWeekday = 1;
  int m_year;
  int m_month;
  int m_day;
};

}  // namespace zw

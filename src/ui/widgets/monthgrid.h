// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QPushButton;

namespace zw {

// A month page: a month list, a year list and a grid of day buttons with the locale's first
// day of the week in the first column. The Calendar and the schedule browser both pick days from
// it.
class CMonthGrid : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFirstYear = 1970;
  static constexpr int kLastYear = 2099;
  // Enough for a 31-day month whose 1st falls on a Saturday.
  static constexpr int kDayButtons = 37;

  // What a day holds, as bits.
  enum DayMark { kHasEvents = 1, kHasNotes = 2 };
  // The DayMark bits of a day; the grid knows nothing of events or notes itself.
  using DayMarker = std::function<int(int year, int month, int day)>;

  explicit CMonthGrid(QWidget* parent = nullptr);

  // Marks the days of every month laid out from now on.
  void SetDayMarker(DayMarker marker);
  // The DayMark bits the day's button shows.
  int MarksOf(int day) const;

  QComboBox* MonthList() const { return m_monthList; }
  QComboBox* YearList() const { return m_yearList; }
  // position 1..kDayButtons.
  QPushButton* DayButton(int position) const { return m_dayButtons.at(position - 1); }
  // The button of a day of the shown month; null when the month has no such day.
  QPushButton* ButtonOfDay(int day) const;

  int ShownYear() const;
  int ShownMonth() const;
  // Lays out a month without announcing it as chosen; a year outside the list is moved to
  // its nearer end, a month to 1..12.
  void ShowMonth(int year, int month);

 signals:
  // The user chose another month or year; its days are laid out already.
  void monthChosen(int year, int month);
  void dayPressed(int day);

 private:
  void BuildLists();
  void BuildDayGrid();
  void LayOutDays();
  void OnListChanged();
  void Mark(QPushButton* button, int marks) const;

  QComboBox* m_monthList = nullptr;
  QComboBox* m_yearList = nullptr;
  std::array<QPushButton*, kDayButtons> m_dayButtons{};
  // The weekday of the first column, 1 = Sunday: the locale's first day of the week.
  int m_firstColumnDay = 1;
  // The column of the shown month's 1st, 1 = the first: the position of the button labelled 1.
  int m_firstWeekday = 1;
  DayMarker m_marker;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translatable.h"
#include "ui/events/frequencypage.h"

class QComboBox;
class QRadioButton;
class QSpinBox;

namespace zw {

class CSpinField;

// A day of every month, its last day, or the Nth or last chosen weekday of every Nth month.
class CMonthlyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kDayMissing = ZW_TR_NOOP("Core", "Please enter day of the month.");
  static constexpr const char* kDayRange =
      ZW_TR_NOOP("Core", "The day of the month must be between 1 and 31.");
  static constexpr const char* kSkipQuestion = ZW_TR_NOOP(
      "Core",
      "The day of the month entered is greater than 28 which will cause this alarm to skip "
      "certain months.  Do you want to continue using the day of month specified?");

  CMonthlyPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return ZW_TR_NOOP("Core", "Should the monthly alarm settings be discarded?");
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;

  QRadioButton* DayOfMonth() const { return m_dayOfMonth; }
  QRadioButton* LastDay() const { return m_lastDay; }
  CSpinField* DayField() const { return m_day; }
  QRadioButton* NthWeekday() const { return m_nthWeekday; }
  // First .. Fifth, then Last.
  QComboBox* OrdinalList() const { return m_ordinal; }
  // Sunday first.
  QComboBox* WeekdayList() const { return m_weekday; }
  QSpinBox* IntervalBox() const { return m_interval; }

 private:
  void SelectLastDay(bool last);
  void EnableFields();

  QRadioButton* m_dayOfMonth;
  QRadioButton* m_lastDay;
  CSpinField* m_day;
  QRadioButton* m_nthWeekday;
  QComboBox* m_ordinal;
  QComboBox* m_weekday;
  QSpinBox* m_interval;
};

}  // namespace zw

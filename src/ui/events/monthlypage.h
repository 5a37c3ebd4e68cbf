#pragma once

#include "ui/events/frequencypage.h"

class QRadioButton;

namespace zw {

class CSpinField;

class CMonthlyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kDayMissing = "Please enter day of the month.";
  static constexpr const char* kDayRange = "The day of the month must be between 1 and 31.";
  static constexpr const char* kSkipQuestion =
      "The day of the month entered is greater than 28 which will cause this alarm to skip "
      "certain months.  Do you want to continue using the day of month specified?";

  CMonthlyPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return "Should the monthly alarm settings be discarded?";
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;

  QRadioButton* DayOfMonth() const { return m_dayOfMonth; }
  QRadioButton* LastDay() const { return m_lastDay; }
  CSpinField* DayField() const { return m_day; }

 private:
  void SelectLastDay(bool last);

  QRadioButton* m_dayOfMonth;
  QRadioButton* m_lastDay;
  CSpinField* m_day;
};

}  // namespace zw

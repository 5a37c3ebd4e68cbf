// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translatable.h"
#include "ui/events/frequencypage.h"

class QComboBox;

namespace zw {

class CSpinField;

class CAnnualPage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kMonthMissing =
      ZW_TR_NOOP("Core", "Please select a month for the annual alarm.");
  static constexpr const char* kDayMissing = ZW_TR_NOOP("Core", "Please enter a day of month.");
  static constexpr const char* kDayInvalid =
      ZW_TR_NOOP("Core", "The day entered for the selected month is invalid.");

  CAnnualPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return ZW_TR_NOOP("Core", "Should the annual alarm settings be discarded?");
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;

  QComboBox* MonthList() const { return m_month; }
  CSpinField* DayField() const { return m_day; }

  // The longest day an annual event may name in a month: February 29 is allowed, and falls on
  // March 1st in common years.
  static int LongestDay(int month);

 private:
  QComboBox* m_month;
  CSpinField* m_day;
};

}  // namespace zw

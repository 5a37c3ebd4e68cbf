// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translatable.h"
#include "ui/events/frequencypage.h"

#include <array>

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace zw {

// One day of every week, or the chosen days ("every weekday" is one event) of every Nth week.
class CWeeklyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kDayMissing = ZW_TR_NOOP("Core", "Please select a day of the week.");

  CWeeklyPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return ZW_TR_NOOP("Core", "Should the weekly alarm settings be discarded?");
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;
  QComboBox* DayList() const { return m_day; }
  // The days besides the one in DayList, Sunday first.
  QCheckBox* AlsoOn(int weekday) const { return m_also[static_cast<std::size_t>(weekday)]; }
  QSpinBox* IntervalBox() const { return m_interval; }
  // Monday in the day list, Tuesday to Friday besides.
  void ChooseWorkdays();

 private:
  int ChosenDays() const;
  void ShowDayOfWeek(int index);

  QComboBox* m_day;
  std::array<QCheckBox*, 7> m_also{};
  QSpinBox* m_interval;
  int m_fixed = -1;
};

}  // namespace zw

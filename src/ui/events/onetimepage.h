// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include "platform/translatable.h"
#include "ui/events/frequencypage.h"
#include "ui/widgets/monthgrid.h"

class QPushButton;

namespace zw {

class COneTimePage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kDateMissing = ZW_TR_NOOP("Core", "Please enter the alarm date.");
  static constexpr const char* kInThePast = ZW_TR_NOOP(
      "Core",
      "Please enter a date and time in the future.  Check the current time of the selected "
      "location.");

  COneTimePage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return ZW_TR_NOOP("Core", "Should the one-time alarm settings be discarded?");
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;

  QLineEdit* DateEdit() const { return m_date; }
  QPushButton* CalendarButton() const { return m_calendar; }
  // Opens the Calendar on the date last picked (today at first) and writes the pick.
  void PickDate();
  // Gives the marks of the Calendar's days each time it opens.
  void SetDayMarks(std::function<CMonthGrid::DayMarker()> marks) { m_marks = std::move(marks); }

 private:
  struct Picked {
    int year, month, day;
  };

  QLineEdit* m_date;
  QPushButton* m_calendar;
  std::optional<Picked> m_picked;
  std::function<CMonthGrid::DayMarker()> m_marks;
};

}  // namespace zw

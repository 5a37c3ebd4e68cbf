#pragma once

#include "ui/events/frequencypage.h"

class QComboBox;

namespace zw {

class CWeeklyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  static constexpr const char* kDayMissing = "Please select a day of the week.";

  CWeeklyPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return "Should the weekly alarm settings be discarded?";
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;
  QComboBox* DayList() const { return m_day; }

 private:
  QComboBox* m_day;
};

}  // namespace zw

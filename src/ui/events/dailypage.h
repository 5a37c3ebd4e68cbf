// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/translatable.h"
#include "ui/events/frequencypage.h"

class QSpinBox;

namespace zw {

// Every day, or every Nth day counted from the event's start day.
class CDailyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  CDailyPage(int dateOrder, int clockType, QWidget* parent = nullptr);
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return ZW_TR_NOOP("Core", "Should the daily alarm settings be discarded?");
  }
  void Fill(const CEvent& alarm) override;
  void Reset() override;
  bool ValidateAndStore(CEvent& alarm, const PageContext& context) override;
  QWidget* LastField() const override;
  QSpinBox* IntervalBox() const { return m_interval; }

 private:
  QSpinBox* m_interval;
};

}  // namespace zw

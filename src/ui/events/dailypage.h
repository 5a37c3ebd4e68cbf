#pragma once

#include "ui/events/frequencypage.h"

namespace zw {

class CDailyPage : public CFrequencyPage {
  Q_OBJECT

 public:
  using CFrequencyPage::CFrequencyPage;
  int Frequency() const override;
  const char* DiscardQuestion() const override {
    return "Should the daily alarm settings be discarded?";
  }
};

}  // namespace zw

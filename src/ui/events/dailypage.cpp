#include "ui/events/dailypage.h"

#include <QSpinBox>

#include "events/event.h"

namespace zw {

CDailyPage::CDailyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent), m_interval(AddIntervalRow("days")) {}

int CDailyPage::Frequency() const {
  return kDaily;
}

QWidget* CDailyPage::LastField() const {
  return m_interval;
}

void CDailyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  m_interval->setValue(alarm.Repeat() == RepeatKind::kEveryNDays ? alarm.Extras().interval : 1);
}

void CDailyPage::Reset() {
  CFrequencyPage::Reset();
  m_interval->setValue(1);
}

bool CDailyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  const int interval = m_interval->value();
  StoreRepeat(alarm, context,
              interval == 1 ? EventExtras{}
                            : EventExtras{.kind = RepeatKind::kEveryNDays, .interval = interval});
  return true;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/dailypage.h"

#include <QSpinBox>

#include "events/event.h"

namespace zw {

CDailyPage::CDailyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent), m_interval(AddIntervalRow(tr("days"))) {
  AddStartRow(m_interval);
}

int CDailyPage::Frequency() const {
  return kDaily;
}

QWidget* CDailyPage::LastField() const {
  // The start day is passed over while a count of one closes it.
  if (StartEdit()->isEnabledTo(this)) {
    return StartEdit();
  }
  return m_interval;
}

void CDailyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const bool counted = alarm.Repeat() == RepeatKind::kEveryNDays;
  m_interval->setValue(counted ? alarm.Extras().interval : 1);
  FillStart(alarm, counted);
}

void CDailyPage::Reset() {
  CFrequencyPage::Reset();
  m_interval->setValue(1);
  StartEdit()->clear();
}

bool CDailyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  const int interval = m_interval->value();
  if (interval == 1) {
    StoreRepeat(alarm, context, EventExtras{});
    return true;
  }
  CDateTime start;
  if (!ReadStart(context, start)) {
    return false;
  }
  StoreRepeat(alarm, context, EventExtras{.kind = RepeatKind::kEveryNDays, .interval = interval},
              &start);
  return true;
}

}  // namespace zw

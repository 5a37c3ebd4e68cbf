// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/annualpage.h"

#include <QComboBox>

#include "events/event.h"
#include "ui/widgets/numedit.h"
#include "ui/widgets/spinfield.h"

namespace zw {

CAnnualPage::CAnnualPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent),
      m_month(new QComboBox),
      m_day(new CSpinField(1, 31)) {
  for (const char* month :
       {QT_TRANSLATE_NOOP("zw::CAnnualPage", "January"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "February"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "March"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "April"), QT_TRANSLATE_NOOP("zw::CAnnualPage", "May"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "June"), QT_TRANSLATE_NOOP("zw::CAnnualPage", "July"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "August"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "September"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "October"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "November"),
        QT_TRANSLATE_NOOP("zw::CAnnualPage", "December")}) {
    m_month->addItem(tr(month));
  }
  AddRow(tr("Month:"), m_month);
  AddRow(tr("Day:"), m_day);
  Reset();
}

int CAnnualPage::Frequency() const {
  return kAnnual;
}

QWidget* CAnnualPage::LastField() const {
  return m_day->Edit();
}

int CAnnualPage::LongestDay(int month) {
  switch (month) {
    case 2:
      return 29;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

void CAnnualPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const AlarmRecord& r = alarm.Fields();
  m_month->setCurrentIndex(r.annualMonth >= 1 && r.annualMonth <= 12 ? r.annualMonth - 1 : -1);
  if (r.annualDay < 1) {
    m_day->SetText(QString());
  } else {
    m_day->SetValue(r.annualDay);
  }
}

void CAnnualPage::Reset() {
  CFrequencyPage::Reset();
  m_month->setCurrentIndex(-1);
  m_day->SetValue(1);
}

bool CAnnualPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  if (m_month->currentIndex() < 0) {
    return Fail(context, kMonthMissing, m_month);
  }
  const int month = m_month->currentIndex() + 1;
  if (m_day->Text().isEmpty()) {
    return Fail(context, kDayMissing, m_day->Edit());
  }
  bool ok = false;
  const int day = m_day->Value(&ok);
  if (!ok || day < 1 || day > LongestDay(month)) {
    return Fail(context, kDayInvalid, m_day->Edit());
  }
  alarm.Fields().annualMonth = month;
  alarm.Fields().annualDay = day;
  return true;
}

}  // namespace zw

#include "ui/events/weeklypage.h"

#include <QComboBox>

#include "events/event.h"

namespace zw {

CWeeklyPage::CWeeklyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent), m_day(new QComboBox) {
  for (const char* day :
       {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}) {
    m_day->addItem(QString::fromLatin1(day));
  }
  m_day->setCurrentIndex(-1);
  AddRow(QStringLiteral("Day of Week:"), m_day);
}

int CWeeklyPage::Frequency() const {
  return kWeekly;
}

QWidget* CWeeklyPage::LastField() const {
  return m_day;
}

void CWeeklyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const int weekday = alarm.Fields().weekday;
  m_day->setCurrentIndex(weekday >= 1 && weekday <= 7 ? weekday - 1 : -1);
}

void CWeeklyPage::Reset() {
  CFrequencyPage::Reset();
  m_day->setCurrentIndex(-1);
}

bool CWeeklyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  if (m_day->currentIndex() < 0) {
    return Fail(context, kDayMissing, m_day);
  }
  alarm.Fields().weekday = m_day->currentIndex() + 1;
  return true;
}

}  // namespace zw

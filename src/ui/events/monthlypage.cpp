#include "ui/events/monthlypage.h"

#include <QRadioButton>

#include "events/event.h"
#include "platform/messagesink.h"
#include "ui/widgets/numedit.h"
#include "ui/widgets/spinfield.h"

namespace zw {

CMonthlyPage::CMonthlyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent),
      m_dayOfMonth(new QRadioButton(QStringLiteral("Day of Month"))),
      m_lastDay(new QRadioButton(QStringLiteral("Last Day of Month"))),
      m_day(new CSpinField(1, 31)) {
  AddRow(QString(), m_dayOfMonth);
  AddRow(QString(), m_day);
  AddRow(QString(), m_lastDay);
  connect(m_lastDay, &QRadioButton::toggled, this, [this](bool on) { m_day->setEnabled(!on); });
  Reset();
}

int CMonthlyPage::Frequency() const {
  return kMonthly;
}

QWidget* CMonthlyPage::LastField() const {
  return m_lastDay;
}

void CMonthlyPage::SelectLastDay(bool last) {
  (last ? m_lastDay : m_dayOfMonth)->setChecked(true);
  m_day->setEnabled(!last);
}

void CMonthlyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const AlarmRecord& r = alarm.Fields();
  if (r.lastDayOfMonth == 1) {
    m_day->SetValue(1);
    SelectLastDay(true);
    return;
  }
  m_day->SetValue(r.monthDay);
  SelectLastDay(false);
}

void CMonthlyPage::Reset() {
  CFrequencyPage::Reset();
  m_day->SetValue(1);
  SelectLastDay(false);
}

bool CMonthlyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  AlarmRecord& r = alarm.Fields();
  if (m_lastDay->isChecked()) {
    r.lastDayOfMonth = 1;
    r.monthDay = 0;
    return true;
  }
  if (m_day->Text().isEmpty()) {
    return Fail(context, kDayMissing, m_day->Edit());
  }
  bool ok = false;
  const int day = m_day->Value(&ok);
  if (!ok || day < 1 || day > 31) {
    return Fail(context, kDayRange, m_day->Edit());
  }
  if (day > 28 && !context.messages.AskYesNo(kSkipQuestion)) {
    m_day->Edit()->setFocus();
    return false;
  }
  r.lastDayOfMonth = 0;
  r.monthDay = day;
  return true;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/monthlypage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSpinBox>
#include <bit>

#include "events/event.h"
#include "platform/messagesink.h"
#include "ui/widgets/numedit.h"
#include "ui/widgets/spinfield.h"

namespace zw {

CMonthlyPage::CMonthlyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent),
      m_dayOfMonth(new QRadioButton(tr("Day of Month"))),
      m_lastDay(new QRadioButton(tr("Last Day of Month"))),
      m_day(new CSpinField(1, 31)),
      m_nthWeekday(new QRadioButton(tr("The"))),
      m_ordinal(new QComboBox),
      m_weekday(new QComboBox) {
  AddRow(QString(), m_dayOfMonth);
  AddRow(QString(), m_day);
  AddRow(QString(), m_lastDay);
  for (const char* ordinal : {QT_TRANSLATE_NOOP("zw::CMonthlyPage", "First"),
                              QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Second"),
                              QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Third"),
                              QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Fourth"),
                              QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Fifth"),
                              QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Last")}) {
    m_ordinal->addItem(tr(ordinal));
  }
  for (const char* day : {QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Sunday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Monday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Tuesday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Wednesday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Thursday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Friday"),
                          QT_TRANSLATE_NOOP("zw::CMonthlyPage", "Saturday")}) {
    m_weekday->addItem(tr(day));
  }
  auto* nth = new QWidget;
  auto* row = new QHBoxLayout(nth);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(m_nthWeekday);
  row->addWidget(m_ordinal);
  row->addWidget(m_weekday);
  row->addStretch();
  AddRow(QString(), nth);
  m_interval = AddIntervalRow(QStringLiteral("months"));
  for (QRadioButton* choice : {m_dayOfMonth, m_lastDay, m_nthWeekday}) {
    connect(choice, &QRadioButton::toggled, this, &CMonthlyPage::EnableFields);
  }
  Reset();
}

void CMonthlyPage::EnableFields() {
  m_day->setEnabled(m_dayOfMonth->isChecked());
  const bool nth = m_nthWeekday->isChecked();
  m_ordinal->setEnabled(nth);
  m_weekday->setEnabled(nth);
  // Events keep a month interval only for the weekday repeats.
  m_interval->setEnabled(nth);
}

int CMonthlyPage::Frequency() const {
  return kMonthly;
}

QWidget* CMonthlyPage::LastField() const {
  return m_interval;
}

void CMonthlyPage::SelectLastDay(bool last) {
  (last ? m_lastDay : m_dayOfMonth)->setChecked(true);
  EnableFields();
}

void CMonthlyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const AlarmRecord& r = alarm.Fields();
  if (alarm.Repeat() == RepeatKind::kNthWeekday) {
    const EventExtras extras = alarm.Extras();
    m_ordinal->setCurrentIndex(extras.ordinal == EventExtras::kLastOrdinal
                                   ? EventExtras::kMaxOrdinal
                                   : extras.ordinal - 1);
    m_weekday->setCurrentIndex(std::countr_zero(static_cast<unsigned>(extras.weekdays)));
    m_interval->setValue(extras.interval);
    m_nthWeekday->setChecked(true);
    EnableFields();
    return;
  }
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
  m_ordinal->setCurrentIndex(0);
  m_weekday->setCurrentIndex(1);
  m_interval->setValue(1);
  SelectLastDay(false);
}

bool CMonthlyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  AlarmRecord& r = alarm.Fields();
  StoreRepeat(alarm, context, {});
  if (m_nthWeekday->isChecked()) {
    // The record's own day stays a valid one for programs that know only the plain repeat.
    r.lastDayOfMonth = 0;
    r.monthDay = 1;
    const int ordinal = m_ordinal->currentIndex();
    StoreRepeat(
        alarm, context,
        {.kind = RepeatKind::kNthWeekday,
         .interval = m_interval->value(),
         .weekdays = 1 << m_weekday->currentIndex(),
         .ordinal = ordinal == EventExtras::kMaxOrdinal ? EventExtras::kLastOrdinal : ordinal + 1});
    return true;
  }
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

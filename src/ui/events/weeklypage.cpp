// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/weeklypage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <bit>

#include "events/event.h"

namespace zw {

CWeeklyPage::CWeeklyPage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent), m_day(new QComboBox) {
  for (const char* day : {QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Sunday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Monday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Tuesday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Wednesday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Thursday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Friday"),
                          QT_TRANSLATE_NOOP("zw::CWeeklyPage", "Saturday")}) {
    m_day->addItem(tr(day));
  }
  m_day->setCurrentIndex(-1);
  AddRow(tr("Day of Week:"), m_day);
  auto* days = new QWidget;
  auto* row = new QHBoxLayout(days);
  row->setContentsMargins(0, 0, 0, 0);
  for (int day = 0; day < 7; ++day) {
    m_also[static_cast<std::size_t>(day)] = new QCheckBox(m_day->itemText(day).left(2));
    row->addWidget(m_also[static_cast<std::size_t>(day)]);
  }
  auto* workdays = new QPushButton(tr("Mon-Fri"));
  workdays->setAutoDefault(false);
  row->addWidget(workdays);
  AddRow(tr("Also on:"), days);
  m_interval = AddIntervalRow(QStringLiteral("weeks"));
  AddStartRow(m_interval);
  connect(workdays, &QPushButton::clicked, this, &CWeeklyPage::ChooseWorkdays);
  connect(m_day, &QComboBox::currentIndexChanged, this, &CWeeklyPage::ShowDayOfWeek);
}

// The day of the week is always one of the days: its box shows it, checked and fixed.
void CWeeklyPage::ShowDayOfWeek(int index) {
  if (m_fixed >= 0) {
    m_also[static_cast<std::size_t>(m_fixed)]->setEnabled(true);
    m_also[static_cast<std::size_t>(m_fixed)]->setChecked(false);
  }
  m_fixed = index;
  if (index >= 0) {
    m_also[static_cast<std::size_t>(index)]->setChecked(true);
    m_also[static_cast<std::size_t>(index)]->setEnabled(false);
  }
}

void CWeeklyPage::ChooseWorkdays() {
  m_day->setCurrentIndex(1);
  for (int day = 0; day < 7; ++day) {
    m_also[static_cast<std::size_t>(day)]->setChecked(EventExtras::kMondayToFriday >> day & 1);
  }
}

int CWeeklyPage::ChosenDays() const {
  int days = m_day->currentIndex() >= 0 ? 1 << m_day->currentIndex() : 0;
  for (int day = 0; day < 7; ++day) {
    days |= m_also[static_cast<std::size_t>(day)]->isChecked() ? 1 << day : 0;
  }
  return days;
}

int CWeeklyPage::Frequency() const {
  return kWeekly;
}

QWidget* CWeeklyPage::LastField() const {
  // The start day is passed over while a count of one closes it.
  if (StartEdit()->isEnabledTo(this)) {
    return StartEdit();
  }
  return m_interval;
}

void CWeeklyPage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  const EventExtras extras = alarm.Extras();
  const bool richer = alarm.Repeat() == RepeatKind::kEveryNWeeks;
  int weekday = alarm.Fields().weekday - 1;
  if (richer && (weekday < 0 || weekday > 6 || !(extras.weekdays >> weekday & 1))) {
    // A day of the week the repeat does not hold would read as one more day.
    weekday = std::countr_zero(static_cast<unsigned>(extras.weekdays));
  }
  m_day->setCurrentIndex(weekday >= 0 && weekday <= 6 ? weekday : -1);
  for (int day = 0; day < 7; ++day) {
    m_also[static_cast<std::size_t>(day)]->setChecked(day == m_day->currentIndex() ||
                                                      (richer && (extras.weekdays >> day & 1)));
  }
  m_interval->setValue(richer ? extras.interval : 1);
  FillStart(alarm, richer);
}

void CWeeklyPage::Reset() {
  CFrequencyPage::Reset();
  m_day->setCurrentIndex(-1);
  for (QCheckBox* day : m_also) {
    day->setChecked(false);
  }
  m_interval->setValue(1);
  StartEdit()->clear();
}

bool CWeeklyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  if (m_day->currentIndex() < 0) {
    return Fail(context, kDayMissing, m_day);
  }
  alarm.Fields().weekday = m_day->currentIndex() + 1;
  const int days = ChosenDays();
  const bool plain = m_interval->value() == 1 && days == 1 << m_day->currentIndex();
  const EventExtras repeat = plain ? EventExtras{}
                                   : EventExtras{.kind = RepeatKind::kEveryNWeeks,
                                                 .interval = m_interval->value(),
                                                 .weekdays = days};
  // Only a count of weeks needs the week it starts from.
  if (m_interval->value() == 1) {
    StoreRepeat(alarm, context, repeat);
    return true;
  }
  CDateTime start;
  if (!ReadStart(context, start)) {
    return false;
  }
  StoreRepeat(alarm, context, repeat, &start);
  return true;
}

}  // namespace zw

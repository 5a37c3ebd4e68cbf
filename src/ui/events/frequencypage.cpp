// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/frequencypage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "events/event.h"
#include "locations/location.h"
#include "platform/messagesink.h"
#include "timecore/datetimeentry.h"

namespace zw {

namespace {

// Stored times are read without a word to the user: a damaged record simply shows as it is.
class SilentSink final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

}  // namespace

CFrequencyPage::CFrequencyPage(int dateOrder, int clockType, QWidget* parent)
    : QWidget(parent), m_dateOrder(dateOrder), m_clockType(clockType), m_time(new QLineEdit) {
  auto* form = new QFormLayout(this);
  m_time->setMaxLength(12);
  form->addRow(tr("&Time:"), m_time);
}

void CFrequencyPage::AddRow(const QString& label, QWidget* field) {
  static_cast<QFormLayout*>(layout())->addRow(label, field);
}

QSpinBox* CFrequencyPage::AddIntervalRow(const QString& unit) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* interval = new QSpinBox;
  interval->setRange(1, EventExtras::kMaxInterval);
  layout->addWidget(interval);
  layout->addWidget(new QLabel(unit));
  layout->addStretch();
  AddRow(tr("&Every"), row);
  static_cast<QLabel*>(static_cast<QFormLayout*>(this->layout())->labelForField(row))
      ->setBuddy(interval);
  return interval;
}

void CFrequencyPage::StoreRepeat(CEvent& alarm, const PageContext& context, EventExtras repeat,
                                 const CDateTime* start) {
  repeat.off = alarm.IsOff();
  alarm.SetExtras(repeat);
  if (repeat.kind == RepeatKind::kPlain) {
    return;
  }
  if (start == nullptr && (!alarm.DateText().empty() || context.location == nullptr)) {
    return;
  }
  CDateTime day = start != nullptr ? *start : context.location->Zone().ToLocal(CDateTime());
  CEvent::SetText(alarm.Fields().dateText, day.FormatDate(CDateTime::kMonthDayYear, "/", 4));
}

void CFrequencyPage::AddStartRow(QSpinBox* interval) {
  m_start = new QLineEdit;
  m_start->setMaxLength(11);
  m_start->setPlaceholderText(tr("today"));
  m_start->setEnabled(false);
  AddRow(tr("&Starting:"), m_start);
  connect(interval, &QSpinBox::valueChanged, m_start,
          [start = m_start](int value) { start->setEnabled(value > 1); });
}

void CFrequencyPage::FillStart(const CEvent& alarm, bool counted) {
  m_start->clear();
  std::string date = alarm.DateText();
  SilentSink silent;
  CDateTimeEntry stored(silent, CDateTime::kMonthDayYear, CDateTime::kTwentyFourHour);
  if (!counted || !stored.ParseDate(date)) {
    return;
  }
  CDateTime day = stored.Value();
  date = day.FormatDate(m_dateOrder, CDateTime::DateSeparator(m_dateOrder), 4);
  m_start->setText(QString::fromLatin1(date.data(), static_cast<qsizetype>(date.size())));
}

bool CFrequencyPage::ReadStart(const PageContext& context, CDateTime& day) {
  if (m_start->text().trimmed().isEmpty()) {
    day = context.location != nullptr ? context.location->Zone().ToLocal(CDateTime()) : CDateTime();
    return true;
  }
  CDateTimeEntry entry(context.messages, m_dateOrder, m_clockType);
  std::string date = m_start->text().toLatin1().toStdString();
  if (!entry.ParseDate(date)) {
    m_start->setFocus();
    return false;
  }
  m_start->setText(QString::fromLatin1(date.data(), static_cast<qsizetype>(date.size())));
  day = entry.Value();
  return true;
}

bool CFrequencyPage::IsFilled() const {
  return !m_time->text().trimmed().isEmpty();
}

void CFrequencyPage::Fill(const CEvent& alarm) {
  std::string text = alarm.TimeText();
  SilentSink silent;
  CDateTimeEntry entry(silent, m_dateOrder, m_clockType);
  if (entry.ParseTime(text, CDateTime::kTwentyFourHour)) {
    text = entry.FormatTime(m_clockType);
  }
  m_time->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void CFrequencyPage::Reset() {
  m_time->clear();
}

bool CFrequencyPage::Fail(const PageContext& context, const std::string& message, QWidget* focus) {
  context.messages.Warn(message);
  focus->setFocus();
  return false;
}

bool CFrequencyPage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  std::string text = m_time->text().toLatin1().toStdString();
  if (m_time->text().trimmed().isEmpty()) {
    return Fail(context, kTimeMissing, m_time);
  }
  CDateTimeEntry entry(context.messages, m_dateOrder, m_clockType);
  if (!entry.ParseTime(text)) {
    m_time->setFocus();
    return false;
  }
  m_time->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  CEvent::SetText(alarm.Fields().timeText, entry.FormatTime(CDateTime::kTwentyFourHour));
  return true;
}

}  // namespace zw

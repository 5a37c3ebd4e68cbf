// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/onetimepage.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "events/event.h"
#include "locations/location.h"
#include "platform/messagesink.h"
#include "timecore/datetimeentry.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/calendardlg.h"

namespace zw {

namespace {

class SilentSink final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

}  // namespace

COneTimePage::COneTimePage(int dateOrder, int clockType, QWidget* parent)
    : CFrequencyPage(dateOrder, clockType, parent),
      m_date(new QLineEdit),
      m_calendar(new QPushButton(QStringLiteral("..."))) {
  m_date->setMaxLength(11);
  m_calendar->setFixedWidth(m_calendar->fontMetrics().horizontalAdvance(QStringLiteral("....")) +
                            16);
  m_calendar->setAutoDefault(false);
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_date);
  layout->addWidget(m_calendar);
  AddRow(tr("Date:"), row);
  connect(m_calendar, &QPushButton::clicked, this, &COneTimePage::PickDate);
}

int COneTimePage::Frequency() const {
  return kOneTime;
}

QWidget* COneTimePage::LastField() const {
  return m_calendar;
}

void COneTimePage::Fill(const CEvent& alarm) {
  CFrequencyPage::Fill(alarm);
  std::string date = alarm.DateText();
  if (date.empty()) {
    return;
  }
  SilentSink silent;
  CDateTimeEntry stored(silent, CDateTime::kMonthDayYear, CDateTime::kTwentyFourHour);
  if (stored.ParseDate(date)) {
    CDateTime value = stored.Value();
    date = value.FormatDate(m_dateOrder, CDateTime::DateSeparator(m_dateOrder), 4);
  }
  m_date->setText(Latin1(date));
}

void COneTimePage::Reset() {
  CFrequencyPage::Reset();
  m_date->clear();
}

void COneTimePage::PickDate() {
  if (!m_picked) {
    const CDateTime today;
    m_picked = Picked{today.Year(), today.Month(), today.Day()};
  }
  CCalendarDlg calendar(m_picked->year, m_picked->month, m_picked->day, this);
  if (m_marks) {
    calendar.SetDayMarker(m_marks());
  }
  if (calendar.exec() != QDialog::Accepted) {
    return;
  }
  m_picked = Picked{calendar.Year(), calendar.Month(), calendar.Day()};
  m_date->setText(
      CCalendarDlg::DateText(calendar.Year(), calendar.Month(), calendar.Day(), m_dateOrder));
}

bool COneTimePage::ValidateAndStore(CEvent& alarm, const PageContext& context) {
  if (!CFrequencyPage::ValidateAndStore(alarm, context)) {
    return false;
  }
  if (m_date->text().trimmed().isEmpty()) {
    return Fail(context, kDateMissing, m_date);
  }
  CDateTimeEntry entry(context.messages, m_dateOrder, m_clockType);
  std::string date = m_date->text().toLatin1().toStdString();
  if (!entry.ParseDate(date)) {
    m_date->setFocus();
    return false;
  }
  m_date->setText(Latin1(date));
  std::string time = TimeEdit()->text().toLatin1().toStdString();
  entry.ParseTime(time);
  const CDateTime entered = entry.Value();
  // The location's own wall clock decides, not the computer's: a trip's alarm is set in the
  // time of the place it is for.
  if (context.location != nullptr && context.location->Zone().ToLocal(CDateTime()) > entered) {
    return Fail(context, kInThePast, m_date);
  }
  CDateTime stored = entered;
  CEvent::SetText(alarm.Fields().dateText, stored.FormatDate(CDateTime::kMonthDayYear, "/", 4));
  return true;
}

}  // namespace zw

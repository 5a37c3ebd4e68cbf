// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/entertimedlg.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "locations/placetime.h"
#include "platform/messagesink.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/calendardlg.h"

namespace zw {

namespace {

constexpr const char* kDateLabel = QT_TRANSLATE_NOOP("zw::CEnterTimeDlg", "&Date:");
constexpr const char* kTimeLabel = QT_TRANSLATE_NOOP("zw::CEnterTimeDlg", "&Time:");
constexpr const char* kCalendarText = "...";
constexpr const char* kOkText = QT_TRANSLATE_NOOP("zw::CEnterTimeDlg", "&OK");
constexpr const char* kCancelText = QT_TRANSLATE_NOOP("zw::CEnterTimeDlg", "&Cancel");
constexpr int kEditWidth = 160;

std::string Bytes(const QLineEdit* edit) {
  return edit->text().toLatin1().toStdString();
}

// Reads the date edit for the calendar without troubling the user: a half-typed date just
// means the calendar opens on the last good one.
class CSilentSink final : public IMessageSink {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
};

void Refocus(QLineEdit* edit) {
  edit->setFocus();
  edit->selectAll();
}

// The window manager's icon and buttons in the caption, around the title text.
constexpr int kCaptionChrome = 120;

}  // namespace

CEnterTimeDlg::CEnterTimeDlg(const PlaceTime* converted, int dateOrder, int clockType,
                             IMessageSink& messages, QWidget* parent)
    : QDialog(parent),
      m_entry(messages, dateOrder, clockType),
      m_dateOrder(dateOrder),
      m_clockType(clockType) {
  setWindowTitle(tr(kTitle));
  Build();
  Prefill(converted);
  Refocus(m_time);
}

void CEnterTimeDlg::Build() {
  m_date = new QLineEdit(this);
  m_date->setMinimumWidth(kEditWidth);
  m_time = new QLineEdit(this);
  m_time->setMinimumWidth(kEditWidth);
  m_calendar = new QPushButton(QString::fromLatin1(kCalendarText), this);
  m_calendar->setAutoDefault(false);
  // "..." says nothing to a screen reader.
  m_calendar->setAccessibleName(tr("Calendar"));
  m_calendar->setFixedWidth(m_calendar->fontMetrics().horizontalAdvance(m_calendar->text()) * 3);
  connect(m_calendar, &QPushButton::clicked, this, &CEnterTimeDlg::PickDate);

  auto* fields = new QGridLayout;
  auto* dateLabel = new QLabel(QCoreApplication::translate("zw::CEnterTimeDlg", kDateLabel), this);
  dateLabel->setBuddy(m_date);
  fields->addWidget(dateLabel, 0, 0);
  fields->addWidget(m_date, 0, 1);
  fields->addWidget(m_calendar, 0, 2);
  auto* timeLabel = new QLabel(QCoreApplication::translate("zw::CEnterTimeDlg", kTimeLabel), this);
  timeLabel->setBuddy(m_time);
  fields->addWidget(timeLabel, 1, 0);
  fields->addWidget(m_time, 1, 1);

  auto* ok = new QPushButton(QCoreApplication::translate("zw::CEnterTimeDlg", kOkText), this);
  ok->setDefault(true);
  auto* cancel =
      new QPushButton(QCoreApplication::translate("zw::CEnterTimeDlg", kCancelText), this);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &CEnterTimeDlg::accept);
  connect(cancel, &QPushButton::clicked, this, &CEnterTimeDlg::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The title, with the caption's icon and buttons beside it, is wider than the fields.
  layout->addStrut(fontMetrics().horizontalAdvance(windowTitle()) + kCaptionChrome);
}

void CEnterTimeDlg::Prefill(const PlaceTime* converted) {
  if (converted == nullptr) {
    // The entry starts at "now", so its date is today's GMT date with a four-digit year.
    m_shown = Date{m_entry.Year(), m_entry.Month(), m_entry.Day()};
    m_date->setText(Latin1(m_entry.FormatDate()));
    return;
  }
  const CDateTime& local = converted->local;
  m_shown = Date{local.Year(), local.Month(), local.Day()};
  // Without leading zeros the display texts may start with a blank, which means nothing here.
  m_date->setText(Latin1(converted->date).trimmed());
  m_time->setText(Latin1(converted->time).trimmed());
}

CEnterTimeDlg::Date CEnterTimeDlg::ShownDate() const {
  CSilentSink silent;
  CDateTimeEntry probe(silent, m_dateOrder, m_clockType);
  std::string text = Bytes(m_date);
  if (!probe.ParseDate(text)) {
    return m_shown;
  }
  return Date{probe.Year(), probe.Month(), probe.Day()};
}

void CEnterTimeDlg::PickDate() {
  const Date from = ShownDate();
  CCalendarDlg calendar(from.year, from.month, from.day, this);
  if (calendar.exec() != QDialog::Accepted) {
    return;
  }
  m_shown = Date{calendar.Year(), calendar.Month(), calendar.Day()};
  m_date->setText(CCalendarDlg::DateText(m_shown.year, m_shown.month, m_shown.day, m_dateOrder));
}

void CEnterTimeDlg::accept() {
  std::string date = Bytes(m_date);
  if (!m_entry.ParseDate(date)) {
    Refocus(m_date);
    return;
  }
  m_date->setText(Latin1(date));
  std::string time = Bytes(m_time);
  if (!m_entry.ParseTime(time)) {
    Refocus(m_time);
    return;
  }
  m_time->setText(Latin1(time));
  QDialog::accept();
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/eventsummarydlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "events/eventsummary.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

constexpr std::array<const char*, CEventSummaryDlg::kLineCount> kCaptions = {
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "When:"),
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Event Name:"),
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Location:"),
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Frequency:"),
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Pre-notify:"),
    QT_TRANSLATE_NOOP("zw::CEventSummaryDlg", "Action:")};

}  // namespace

CEventSummaryDlg::CEventSummaryDlg(const EventSummary& summary, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr(kTitle));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  const std::array<const std::string*, kLineCount> texts = {&summary.when,      &summary.name,
                                                            &summary.location,  &summary.frequency,
                                                            &summary.preNotify, &summary.action};
  for (std::size_t i = 0; i < kLineCount; ++i) {
    auto* value = new QLabel(Latin1(*texts[i]), this);
    // Event texts are the user's data, never markup.
    value->setTextFormat(Qt::PlainText);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    form->addRow(tr(kCaptions[i]), value);
    m_values[i] = value;
  }
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  setMinimumWidth(360);
}

}  // namespace zw

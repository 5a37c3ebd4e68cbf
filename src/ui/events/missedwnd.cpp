// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/missedwnd.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "events/alarmmonitor.h"
#include "events/event.h"
#include "events/schedulelisting.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

// The message on one line; an event without one is known by its name.
QString MessageOf(const CEvent& alarm) {
  std::string text = alarm.MessageText();
  if (text.empty()) {
    text = alarm.Name();
  }
  std::erase(text, '\r');
  std::ranges::replace(text, '\n', ' ');
  return Latin1(text);
}

}  // namespace

CMissedWnd::CMissedWnd(Runner run, QWidget* parent) : QDialog(parent), m_run(std::move(run)) {
  setWindowTitle(tr("Missed while away"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      tr("These events came due while the computer slept, the program was not running or the "
         "clock was moved on.")));
  m_list = new QTreeWidget;
  m_list->setRootIsDecorated(false);
  m_list->setColumnCount(kColumnCount);
  m_list->setHeaderLabels({tr("Time"), tr("Place"), tr("Message"), tr("Action")});
  m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_list->header()->setSectionResizeMode(kMessageColumn, QHeaderView::Stretch);
  m_list->header()->setStretchLastSection(false);
  layout->addWidget(m_list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(720, 320);
}

QString CMissedWnd::ActionText(MissedAction action) {
  switch (action) {
    case MissedAction::kRunLate:
      return tr("Ran late");
    case MissedAction::kCovered:
      return tr("Covered by the later run");
    case MissedAction::kSkip:
      return tr("Skipped");
    case MissedAction::kAsk:
      return tr("Run now");
  }
  return {};
}

void CMissedWnd::Add(const std::vector<MissedOccurrence>& missed, const DisplayOptions& display) {
  for (const MissedOccurrence& occurrence : missed) {
    AddRow(occurrence, display);
  }
  m_list->scrollToBottom();
}

void CMissedWnd::AddRow(const MissedOccurrence& occurrence, const DisplayOptions& display) {
  auto* row = new QTreeWidgetItem(m_list);
  row->setText(kTimeColumn, Latin1(CScheduleListing::TimeText(occurrence.at, display)));
  row->setText(kPlaceColumn, Latin1(occurrence.place));
  row->setText(kMessageColumn, MessageOf(*occurrence.alarm));
  row->setToolTip(kMessageColumn, Latin1(occurrence.alarm->Name()));
  if (occurrence.action != MissedAction::kAsk) {
    row->setText(kActionColumn, ActionText(occurrence.action));
    return;
  }
  auto* button = new QPushButton(ActionText(MissedAction::kAsk));
  connect(button, &QPushButton::clicked, this, [this, row, button, occurrence] {
    // Once is what a missed occurrence is owed: the row says so and offers no more.
    m_list->removeItemWidget(row, kActionColumn);
    row->setText(kActionColumn, ActionText(MissedAction::kRunLate));
    m_run(occurrence);
  });
  m_list->setItemWidget(row, kActionColumn, button);
}

void CMissedWnd::done(int result) {
  CAlarmMonitor::MediaStopFlag().store(true);
  QDialog::done(result);
}

}  // namespace zw

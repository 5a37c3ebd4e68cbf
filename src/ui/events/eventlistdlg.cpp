#include "ui/events/eventlistdlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "events/eventlist.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/events/alarmservice.h"
#include "ui/events/eventeditdlg.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

CEventListDlg::CEventListDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_alarms(context.alarms.Events()) {
  setWindowTitle(QStringLiteral("Set Event"));
  auto* layout = new QHBoxLayout(this);
  m_list = new QListWidget;
  m_list->setSelectionMode(QAbstractItemView::SingleSelection);
  m_list->setMinimumSize(240, 220);
  layout->addWidget(m_list, 1);
  auto* column = new QVBoxLayout;
  m_add = new QPushButton(QStringLiteral("Add..."));
  m_change = new QPushButton(QStringLiteral("Change..."));
  m_delete = new QPushButton(QStringLiteral("Delete"));
  auto* close = new QPushButton(QStringLiteral("Close"));
  for (QPushButton* b : {m_add, m_change, m_delete}) {
    b->setAutoDefault(false);
    column->addWidget(b);
  }
  column->addStretch();
  column->addWidget(close);
  layout->addLayout(column);

  connect(m_add, &QPushButton::clicked, this, &CEventListDlg::AddEvent);
  connect(m_change, &QPushButton::clicked, this, &CEventListDlg::ChangeEvent);
  connect(m_delete, &QPushButton::clicked, this, &CEventListDlg::DeleteEvent);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &CEventListDlg::ChangeEvent);
  connect(close, &QPushButton::clicked, this, &CEventListDlg::accept);
  // A one-time event that fires meanwhile leaves the list at once.
  connect(&m_context.alarms, &CAlarmService::eventsChanged, this, &CEventListDlg::Refill);
  Refill();
  m_context.positions.Place(this, CDialogPositions::kSetEvent);
}

void CEventListDlg::done(int result) {
  m_context.positions.Remember(this, CDialogPositions::kSetEvent);
  QDialog::done(result);
}

void CEventListDlg::Refill() {
  m_list->clear();
  for (std::size_t i = 0; i < m_alarms.GetCount(); ++i) {
    m_list->addItem(Latin1(m_alarms.ListText(i)));
  }
  Select(m_list->count() > 0 ? 0 : -1);
}

void CEventListDlg::Select(int row) {
  const bool any = row >= 0 && row < m_list->count();
  m_list->setCurrentRow(any ? row : -1);
  m_change->setEnabled(any);
  m_delete->setEnabled(any);
}

void CEventListDlg::Save() {
  m_alarms.Save(m_context.files, m_context.messages);
}

void CEventListDlg::AddEvent() {
  auto alarm = std::make_unique<CEvent>(m_context.settings.Values().listKind);
  CEventEditDlg settings(m_context, *alarm, this);
  if (settings.exec() != QDialog::Accepted) {
    return;
  }
  m_alarms.Add(std::move(alarm));
  m_list->addItem(Latin1(m_alarms.ListText(m_alarms.GetCount() - 1)));
  Select(m_list->count() - 1);
  Save();
}

void CEventListDlg::ChangeEvent() {
  const int row = m_list->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= m_alarms.GetCount()) {
    return;
  }
  const CEventSchedule* original = m_alarms.GetSchedule(static_cast<std::size_t>(row));
  auto copy = std::make_unique<CEvent>(*m_alarms.GetAlarm(static_cast<std::size_t>(row)));
  CEventEditDlg settings(m_context, *copy, this);
  if (settings.exec() != QDialog::Accepted) {
    return;
  }
  // An alarm may have removed the event while the settings were open.
  const int now = m_alarms.IndexOf(original);
  if (now < 0) {
    m_alarms.Add(std::move(copy));
    m_list->addItem(Latin1(m_alarms.ListText(m_alarms.GetCount() - 1)));
    Select(m_list->count() - 1);
    Save();
    return;
  }
  const auto index = static_cast<std::size_t>(now);
  std::memcpy(&m_alarms.GetAlarm(index)->Fields(), &copy->Fields(), CEvent::kRecordSize);
  m_alarms.GetSchedule(index)->Reschedule();
  Refill();
  Select(now);
  Save();
}

void CEventListDlg::DeleteEvent() {
  const int row = m_list->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= m_alarms.GetCount()) {
    return;
  }
  const std::string name = m_alarms.GetAlarm(static_cast<std::size_t>(row))->Name();
  if (!m_context.messages.AskYesNo(std::string(kDeleteQuestion1) + name +
                                   std::string(kDeleteQuestion2))) {
    return;
  }
  m_alarms.RemoveAt(static_cast<std::size_t>(row));
  delete m_list->takeItem(row);
  Save();
  Select(m_list->count() > 0 ? 0 : -1);
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/events/eventlistdlg.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <limits>

#include "events/eventlist.h"
#include "events/eventwords.h"
#include "events/schedulelisting.h"
#include "locations/location.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/events/alarmservice.h"
#include "ui/events/eventeditdlg.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

namespace {

constexpr int kSortRole = Qt::UserRole;
constexpr int kScheduleRole = Qt::UserRole + 1;
constexpr int kMinimumListWidth = 480;
constexpr int kMaximumListWidth = 1000;

// Rows sort by the key a cell keeps for it (times by instant, events without a next time
// last), else by their text.
class SortedItem final : public QTreeWidgetItem {
 public:
  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
    const QVariant mine = data(column, kSortRole);
    const QVariant theirs = other.data(column, kSortRole);
    if (mine.isValid() && theirs.isValid()) {
      return mine.toLongLong() < theirs.toLongLong();
    }
    return text(column).localeAwareCompare(other.text(column)) < 0;
  }
};

}  // namespace

CEventListDlg::CEventListDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_alarms(context.alarms.Events()) {
  setWindowTitle(tr("Set Event"));
  auto* layout = new QHBoxLayout(this);
  m_list = new QTreeWidget;
  m_list->setColumnCount(kColumnCount);
  m_list->setHeaderLabels(
      {tr("On"), tr("Name"), tr("Next There"), tr("Next Here"), tr("Place"), tr("Repeats")});
  m_list->setRootIsDecorated(false);
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setSortingEnabled(true);
  m_list->sortByColumn(kNameColumn, Qt::AscendingOrder);
  m_list->setMinimumHeight(240);
  layout->addWidget(m_list, 1);
  auto* column = new QVBoxLayout;
  m_add = new QPushButton(tr("&Add..."));
  m_change = new QPushButton(tr("&Change..."));
  m_delete = new QPushButton(tr("&Delete"));
  auto* exportButton = new QPushButton(tr("&Export..."));
  auto* importButton = new QPushButton(tr("&Import..."));
  auto* close = new QPushButton(tr("C&lose"));
  for (QPushButton* b : {m_add, m_change, m_delete, exportButton, importButton}) {
    b->setAutoDefault(false);
    column->addWidget(b);
  }
  column->addStretch();
  column->addWidget(close);
  layout->addLayout(column);

  connect(m_add, &QPushButton::clicked, this, &CEventListDlg::AddEvent);
  connect(m_change, &QPushButton::clicked, this, &CEventListDlg::ChangeEvent);
  connect(m_delete, &QPushButton::clicked, this, &CEventListDlg::DeleteEvent);
  connect(exportButton, &QPushButton::clicked, this, &CEventListDlg::ExportEvents);
  connect(importButton, &QPushButton::clicked, this, &CEventListDlg::ImportEvents);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CEventListDlg::ChangeEvent);
  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CEventListDlg::UpdateButtons);
  connect(m_list, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* item, int changedColumn) {
            if (changedColumn == kOnColumn) {
              SwitchOnOff(item);
            }
          });
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

void CEventListDlg::Fill(QTreeWidgetItem* item, const CEventSchedule& schedule) const {
  const CEvent& alarm = *schedule.Alarm();
  const DisplayOptions display = m_context.settings.Display();
  item->setData(kNameColumn, kScheduleRole,
                QVariant::fromValue(reinterpret_cast<quintptr>(&schedule)));
  item->setCheckState(kOnColumn, alarm.IsOff() ? Qt::Unchecked : Qt::Checked);
  item->setData(kOnColumn, kSortRole, alarm.IsOff() ? 1 : 0);
  const int index = m_alarms.IndexOf(&schedule);
  item->setText(kNameColumn, Latin1(m_alarms.ListText(static_cast<std::size_t>(index))));
  const std::optional<NextTimes> next = NextTimesOf(schedule, ComputerLocalTime);
  constexpr qint64 kNever = std::numeric_limits<qint64>::max();
  item->setData(kPlaceTimeColumn, kSortRole, next ? next->gmt.Seconds() : kNever);
  item->setData(kHereTimeColumn, kSortRole, next ? next->gmt.Seconds() : kNever);
  item->setText(kPlaceTimeColumn,
                next ? Latin1(CScheduleListing::TimeText(next->place, display)) : QString());
  item->setText(kHereTimeColumn,
                next ? Latin1(CScheduleListing::TimeText(next->computer, display)) : QString());
  item->setText(kPlaceColumn, schedule.Location() != nullptr
                                  ? Latin1(schedule.Location()->Name())
                                  : Latin1(std::string(CEventList::kPlaceNotFound)));
  item->setText(kRepeatColumn, Latin1(RepeatWords(alarm, display.hour24 != 0)));
  // An event that is off keeps its row, greyed, so that it can be switched on again.
  const QBrush text =
      palette().brush(alarm.IsOff() ? QPalette::Disabled : QPalette::Active, QPalette::Text);
  for (int column = 0; column < kColumnCount; ++column) {
    item->setForeground(column, text);
  }
}

void CEventListDlg::Refill() {
  const CEventSchedule* chosen = Selected();
  {
    const QSignalBlocker block(m_list);
    m_list->setSortingEnabled(false);
    m_list->clear();
    for (std::size_t i = 0; i < m_alarms.GetCount(); ++i) {
      auto* item = new SortedItem;
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      Fill(item, *m_alarms.GetSchedule(i));
      m_list->addTopLevelItem(item);
    }
    m_list->setSortingEnabled(true);
    int width = 2 * m_list->frameWidth();
    for (int column = 0; column < kColumnCount; ++column) {
      m_list->resizeColumnToContents(column);
      width += m_list->columnWidth(column);
    }
    // Wide enough that the words of the repeat column can be read without scrolling.
    m_list->setMinimumWidth(std::clamp(width, kMinimumListWidth, kMaximumListWidth));
  }
  Select(m_alarms.IndexOf(chosen) >= 0 ? chosen : nullptr);
}

CEventSchedule* CEventListDlg::ScheduleOf(const QTreeWidgetItem* item) const {
  if (item == nullptr) {
    return nullptr;
  }
  auto* schedule =
      reinterpret_cast<CEventSchedule*>(item->data(kNameColumn, kScheduleRole).value<quintptr>());
  return m_alarms.IndexOf(schedule) >= 0 ? schedule : nullptr;
}

QTreeWidgetItem* CEventListDlg::ItemOf(const CEventSchedule* schedule) const {
  for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
    if (ScheduleOf(m_list->topLevelItem(row)) == schedule) {
      return m_list->topLevelItem(row);
    }
  }
  return nullptr;
}

CEventSchedule* CEventListDlg::Selected() const {
  return ScheduleOf(m_list->currentItem());
}

void CEventListDlg::Select(const CEventSchedule* schedule) {
  QTreeWidgetItem* item = schedule != nullptr ? ItemOf(schedule) : m_list->topLevelItem(0);
  m_list->clearSelection();
  m_list->setCurrentItem(item);
  UpdateButtons();
}

void CEventListDlg::UpdateButtons() {
  const bool any = Selected() != nullptr;
  m_change->setEnabled(any);
  m_delete->setEnabled(any);
}

void CEventListDlg::SwitchOnOff(QTreeWidgetItem* item) {
  CEventSchedule* schedule = ScheduleOf(item);
  if (schedule == nullptr) {
    return;
  }
  const bool off = item->checkState(kOnColumn) != Qt::Checked;
  if (schedule->Alarm()->IsOff() == off) {
    return;
  }
  schedule->Alarm()->SetOff(off);
  schedule->Reschedule();
  {
    const QSignalBlocker block(m_list);
    Fill(item, *schedule);
  }
  Save();
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
  const CEventSchedule* added = m_alarms.Add(std::move(alarm));
  Refill();
  Select(added);
  Save();
}

void CEventListDlg::ChangeEvent() {
  const CEventSchedule* original = Selected();
  if (original == nullptr) {
    return;
  }
  auto copy = std::make_unique<CEvent>(*original->Alarm());
  CEventEditDlg settings(m_context, *copy, this);
  if (settings.exec() != QDialog::Accepted) {
    return;
  }
  // An alarm may have removed the event while the settings were open.
  const int now = m_alarms.IndexOf(original);
  if (now < 0) {
    const CEventSchedule* added = m_alarms.Add(std::move(copy));
    Refill();
    Select(added);
    Save();
    return;
  }
  const auto index = static_cast<std::size_t>(now);
  std::memcpy(&m_alarms.GetAlarm(index)->Fields(), &copy->Fields(), CEvent::kRecordSize);
  m_alarms.GetSchedule(index)->Reschedule();
  Refill();
  Select(original);
  Save();
}

void CEventListDlg::DeleteEvent() {
  const CEventSchedule* chosen = Selected();
  if (chosen == nullptr) {
    return;
  }
  const std::string name = chosen->Alarm()->Name();
  if (!m_context.messages.AskYesNo(
          Latin1Bytes(tr("You are about to delete the alarm named \"%1\".  Do you want to proceed?")
                          .arg(Latin1(name))))) {
    return;
  }
  m_alarms.Remove(chosen);
  Refill();
  Select(nullptr);
  Save();
}

}  // namespace zw

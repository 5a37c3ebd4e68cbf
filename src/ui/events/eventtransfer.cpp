// SPDX-License-Identifier: GPL-3.0-or-later
// Export... and Import... of the Set Event window: events in and out of iCalendar files.

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "events/eventlist.h"
#include "events/icalendar.h"
#include "platform/messagesink.h"
#include "settings/smallfile.h"
#include "timecore/datetime.h"
#include "ui/events/eventlistdlg.h"
#include "ui/locations/locationtree.h"
#include "ui/platform/coretext.h"
#include "ui/platform/latin1.h"

namespace zw {

QString CEventListDlg::ChooseFile(bool save) {
  if (m_chooseFile) {
    return m_chooseFile(save);
  }
  const QString filter = tr("Calendars (*.ics);;All files (*)");
  return save ? QFileDialog::getSaveFileName(this, tr("Export Events"),
                                             QStringLiteral("events.ics"), filter)
              : QFileDialog::getOpenFileName(this, tr("Import Events"), QString(), filter);
}

const CLocation* CEventListDlg::ChoosePlace() {
  if (m_choosePlace) {
    return m_choosePlace();
  }
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Import Events Into"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* tree = new QTreeWidget;
  tree->setMinimumSize(260, 300);
  layout->addWidget(tree);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  CLocationTree places(tree, m_context.db);
  places.Fill(CLocationTree::kCountryCity);
  return dialog.exec() == QDialog::Accepted ? places.Selected() : nullptr;
}

void CEventListDlg::ExportEvents() {
  std::vector<const CEventSchedule*> events;
  for (const QTreeWidgetItem* item : m_list->selectedItems()) {
    if (const CEventSchedule* schedule = ScheduleOf(item)) {
      events.push_back(schedule);
    }
  }
  const bool some = !events.empty() && events.size() < m_alarms.GetCount();
  if (!some || !m_context.messages.AskYesNo(kExportChosenQuestion)) {
    events.clear();
    for (std::size_t i = 0; i < m_alarms.GetCount(); ++i) {
      events.push_back(m_alarms.GetSchedule(i));
    }
  }
  const QString path = ChooseFile(true);
  if (path.isEmpty()) {
    return;
  }
  const std::string text = CICalendar::Export(events, CDateTime(), &CICalendar::TzZoneName);
  // A failed export leaves an earlier file of that name whole.
  if (!WriteFileAtomically(QFile::encodeName(path).toStdString(), text)) {
    m_context.messages.Warn(kWriteFailed);
  }
}

void CEventListDlg::ImportEvents() {
  const QString path = ChooseFile(false);
  if (path.isEmpty()) {
    return;
  }
  QFile file(path);
  // One byte more than a calendar may have tells a file that is too large.
  const QByteArray bytes = file.open(QIODevice::ReadOnly)
                               ? file.read(static_cast<qint64>(CICalendar::kMaxBytes) + 1)
                               : QByteArray();
  if (bytes.size() > static_cast<qsizetype>(CICalendar::kMaxBytes)) {
    m_context.messages.Warn(kUnreadableCalendar);
    return;
  }
  const CLocation* place = ChoosePlace();
  if (place == nullptr) {
    return;
  }
  CICalendar::Imported imported =
      CICalendar::Import(std::string_view(bytes.constData(), bytes.size()), *place);
  if (!imported.readable) {
    m_context.messages.Warn(kUnreadableCalendar);
    return;
  }
  // A file is not allowed to grow the list beyond what it can hold.
  const std::size_t room =
      CEventList::kMaxEvents - std::min(CEventList::kMaxEvents, m_alarms.GetCount());
  const std::size_t taken = std::min(room, imported.events.size());
  for (std::size_t i = 0; i < taken; ++i) {
    m_alarms.Add(std::move(imported.events[i]));
  }
  QString report = tr("Imported %1 events.").arg(taken);
  if (taken < imported.events.size()) {
    report +=
        QLatin1Char('\n') +
        tr("%1 more were left out: the event list is full.").arg(imported.events.size() - taken);
  }
  if (imported.overLimit > 0) {
    report += QLatin1Char('\n') + tr("%1 more were not read: a calendar is read up to %2 events.")
                                      .arg(imported.overLimit)
                                      .arg(CICalendar::kMaxEvents);
  }
  if (!imported.skipped.empty()) {
    report += QLatin1Char('\n') + tr("Skipped:");
  }
  const std::size_t named = std::min<std::size_t>(kSkippedShown, imported.skipped.size());
  for (std::size_t i = 0; i < named; ++i) {
    report += QStringLiteral("\n  ") + Latin1(imported.skipped[i].summary) + QStringLiteral(": ") +
              CoreText(imported.skipped[i].reason);
  }
  if (named < imported.skipped.size()) {
    report += QStringLiteral("\n  ") + tr("and %1 more").arg(imported.skipped.size() - named);
  }
  Refill();
  if (taken > 0) {
    Save();
  }
  m_context.messages.Inform(Latin1Bytes(report));
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

#include "platform/translatable.h"
#include "ui/widgets/appcontext.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zw {

class CEventList;
class CEventSchedule;
class CLocation;

// Lists every event of the alarm service with when and where it comes next, and adds,
// changes, switches on and off, deletes, exports and imports them; each change is saved at
// once, and the list follows the events an alarm takes away.
class CEventListDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kExportChosenQuestion =
      ZW_TR_NOOP("Core", "Export only the chosen events?  No exports all of them.");
  static constexpr const char* kUnreadableCalendar =
      QT_TRANSLATE_NOOP("zw::CEventListDlg", "The file is not a calendar that can be read.");
  static constexpr const char* kWriteFailed =
      QT_TRANSLATE_NOOP("zw::CEventListDlg", "The calendar could not be written.");
  // At most this many skipped events are named after an import.
  static constexpr int kSkippedShown = 20;
  enum Column {
    kOnColumn,
    kNameColumn,
    kPlaceTimeColumn,
    kHereTimeColumn,
    kPlaceColumn,
    kRepeatColumn,
    kColumnCount
  };

  // A file to write (save true) or read; empty when the user gave none.
  using FileChooser = std::function<QString(bool save)>;
  // The place imported events belong to; null when the user gave none.
  using PlaceChooser = std::function<const CLocation*()>;

  explicit CEventListDlg(const AppContext& context, QWidget* parent = nullptr);

  // Rebuilds the list from the events, as after an alarm removed one; the chosen event and
  // the sort order stay.
  void Refill();

  void AddEvent();
  void ChangeEvent();
  void DeleteEvent();
  void ExportEvents();
  void ImportEvents();

  QTreeWidget* List() const { return m_list; }
  QPushButton* ChangeButton() const { return m_change; }
  QPushButton* DeleteButton() const { return m_delete; }
  // The list row that shows this event, or null.
  QTreeWidgetItem* ItemOf(const CEventSchedule* schedule) const;
  void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
  void SetPlaceChooser(PlaceChooser chooser) { m_choosePlace = std::move(chooser); }

  void done(int result) override;

 private:
  CEventSchedule* ScheduleOf(const QTreeWidgetItem* item) const;
  CEventSchedule* Selected() const;
  void Select(const CEventSchedule* schedule);
  void Fill(QTreeWidgetItem* item, const CEventSchedule& schedule) const;
  void SwitchOnOff(QTreeWidgetItem* item);
  void UpdateButtons();
  void Save();
  QString ChooseFile(bool save);
  const CLocation* ChoosePlace();

  AppContext m_context;
  CEventList& m_alarms;
  QTreeWidget* m_list = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_change = nullptr;
  QPushButton* m_delete = nullptr;
  FileChooser m_chooseFile;
  PlaceChooser m_choosePlace;
};

}  // namespace zw

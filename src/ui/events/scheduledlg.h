// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include "timecore/datetime.h"
#include "timecore/zone.h"
#include "ui/widgets/appcontext.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTreeView;

namespace zw {

class CEvent;
class CEventList;
class CClockSettings;
class CDialogPositions;
class CLocation;
class CLocationDB;
class CMonthGrid;
class CNotesFile;
class CScheduleModel;
class IFileLayer;
class IMessageSink;
class ISettingsStore;

// "Scheduled Events": a month calendar, the notes of the chosen day and every occurrence of
// every event from that day on for a chosen number of days, shown at the time of one basis
// location or of Greenwich. Events can be looked at, added, changed and deleted from the list.
class CScheduleDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CScheduleDlg", "Scheduled Events");
  // The list's popup menu commands.
  enum Command { kCmdDetails = 34000, kCmdNew = 34001, kCmdChange = 34002, kCmdDelete = 34003 };
  static constexpr int kMaxDays = 999;
  static constexpr int kMaxNoteLength = 1999;

  // Edits an event record in place; true when the user confirmed it.
  using EventEditor = std::function<bool(CEvent&)>;

  // Lists the events of the context's alarm service and follows the ones an alarm takes away.
  explicit CScheduleDlg(const AppContext& context, QWidget* parent = nullptr);
  ~CScheduleDlg() override;

  // Opens the browser modally over `parent` (the clock) and returns when it is closed.
  static void Run(const AppContext& context, QWidget* parent);

  // The event list changed behind the browser's back: list it again.
  void RebuildEventList();
  void RunCommand(int command);
  // A fresh popup menu for the list, as the right mouse button shows it.
  std::unique_ptr<QMenu> BuildPopupMenu();
  // Replaces the Event Settings dialog that New... and Change... open.
  void SetEventEditor(EventEditor editor) { m_editEvent = std::move(editor); }

  // Escape, the close button and the window's close box all end here.
  void done(int result) override;

  CMonthGrid* Grid() const { return m_grid; }
  QLabel* NotesLabel() const { return m_notesLabel; }
  QPlainTextEdit* NotesEdit() const { return m_notesEdit; }
  QLabel* BasisLabel() const { return m_basisLabel; }
  QPushButton* ChooseBasisButton() const { return m_chooseBasis; }
  QPushButton* GmtButton() const { return m_gmt; }
  QSpinBox* DaysBox() const { return m_days; }
  QTreeView* List() const { return m_list; }
  CScheduleModel* Model() const { return m_model; }
  bool DaySelected() const { return m_daySelected; }
  int SelectedDay() const { return m_selectedDay; }

 private:
  struct Date {
    int year, month, day;
  };

  void Build();
  QWidget* BuildCalendar();
  QWidget* BuildBasis();
  void BuildList();
  void FindBasis();
  void Connect();

  std::optional<CZone> BasisZone() const;
  QString BasisText() const;
  QString TimeHeaderText() const;
  void SetTimeHeader(const QString& text, int extraWidth);
  void SortBy(int column);
  void FitListWidth();
  void ComputeToday();
  void SelectToday();
  bool IsSelectable(int day) const;

  // Everything shown for the chosen day: the grid, the notes and the list.
  void Refresh();
  void RebuildGrid();
  void RefreshNotesLabel();
  void FillList();
  CDateTime NoteDate() const;
  void StoreNotes();
  void ShowNotes();
  void LimitNotes();

  void OnMonthChosen(int year, int month);
  void OnDayPressed(int day);
  void OnChooseBasis();
  void OnGmt();
  void ShowPopupMenu(const QPoint& position);

  std::optional<std::size_t> SelectedRow() const;
  void ShowDetails();
  void NewEvent();
  void ChangeEvent();
  void DeleteEvent();
  void SaveEvents();

  // Handed on to the dialogs the browser opens.
  AppContext m_context;
  CEventList& m_alarms;
  CLocationDB& m_db;
  CClockSettings& m_settings;
  ISettingsStore& m_store;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  CDialogPositions& m_positions;
  std::unique_ptr<CNotesFile> m_notes;
  EventEditor m_editEvent;

  // The time basis; null for Greenwich.
  const CLocation* m_basis = nullptr;
  // The "List by" view the basis was chosen in, -1 when none.
  int m_basisView = -1;
  Date m_today{};
  int m_shownYear = 0;
  int m_shownMonth = 1;
  int m_selectedDay = 1;
  // The selected day's button is shown, enabled and checked; nothing is listed otherwise.
  bool m_daySelected = false;

  CMonthGrid* m_grid = nullptr;
  QLabel* m_notesLabel = nullptr;
  QPlainTextEdit* m_notesEdit = nullptr;
  QLabel* m_basisLabel = nullptr;
  QPushButton* m_chooseBasis = nullptr;
  QPushButton* m_gmt = nullptr;
  QSpinBox* m_days = nullptr;
  QTreeView* m_list = nullptr;
  CScheduleModel* m_model = nullptr;
};

}  // namespace zw

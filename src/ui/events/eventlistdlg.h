#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace zw {

class CEventList;
class CClockSettings;
class CLocationDB;
class IFileLayer;
class IMessageSink;

// Lists every event and adds, changes and deletes them; each change is saved at once.
class CEventListDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kDeleteQuestion1 = "You are about to delete the alarm named \"";
  static constexpr const char* kDeleteQuestion2 = "\".  Do you want to proceed?";

  CEventListDlg(CEventList& alarms, const CLocationDB& db, CClockSettings& settings,
               IFileLayer& files, IMessageSink& messages, QWidget* parent = nullptr);

  // Rebuilds the list from the events, as after an alarm removed one.
  void Refill();

  void AddEvent();
  void ChangeEvent();
  void DeleteEvent();

  QListWidget* List() const { return m_list; }
  QPushButton* ChangeButton() const { return m_change; }
  QPushButton* DeleteButton() const { return m_delete; }

 private:
  void Select(int row);
  void Save();

  CEventList& m_alarms;
  const CLocationDB& m_db;
  CClockSettings& m_settings;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  QListWidget* m_list = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_change = nullptr;
  QPushButton* m_delete = nullptr;
};

}  // namespace zw

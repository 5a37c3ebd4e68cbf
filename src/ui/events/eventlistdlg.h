#pragma once

#include <QDialog>

#include "ui/widgets/appcontext.h"

class QListWidget;
class QPushButton;

namespace zw {

class CEventList;

// Lists every event of the alarm service and adds, changes and deletes them; each change is
// saved at once, and the list follows the events an alarm takes away.
class CEventListDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kDeleteQuestion1 = "You are about to delete the alarm named \"";
  static constexpr const char* kDeleteQuestion2 = "\".  Do you want to proceed?";

  explicit CEventListDlg(const AppContext& context, QWidget* parent = nullptr);

  // Rebuilds the list from the events, as after an alarm removed one.
  void Refill();

  void AddEvent();
  void ChangeEvent();
  void DeleteEvent();

  QListWidget* List() const { return m_list; }
  QPushButton* ChangeButton() const { return m_change; }
  QPushButton* DeleteButton() const { return m_delete; }

  void done(int result) override;

 private:
  void Select(int row);
  void Save();

  AppContext m_context;
  CEventList& m_alarms;
  QListWidget* m_list = nullptr;
  QPushButton* m_add = nullptr;
  QPushButton* m_change = nullptr;
  QPushButton* m_delete = nullptr;
};

}  // namespace zw

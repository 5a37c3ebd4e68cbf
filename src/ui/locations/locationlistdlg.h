// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "ui/widgets/appcontext.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace zw {

class CEventList;
class CLocation;
class CLocationTree;

// Browses the location database, shows the selected location's time live, puts locations on
// the clock, and adds, changes and deletes them.
class CLocationListDlg : public QDialog {
  Q_OBJECT

 public:
  // events: the events whose locations are protected and followed; null when there are none.
  // clockChanged: runs when the clock list or a location shown on the clock changed.
  CLocationListDlg(const AppContext& context, CEventList* events,
                   std::function<void()> clockChanged, QWidget* parent = nullptr);
  ~CLocationListDlg() override;

  // A second passed on the clock: the time lines follow it.
  void OnTick();

  // The dialog's actions, as its buttons run them.
  void AddLocation();
  void ChangeLocation();
  void DeleteLocation();
  void ShowOnClock();

  QComboBox* ViewBox() const { return m_view; }
  QTreeWidget* Tree() const;
  CLocationTree& LocationTree() const { return *m_tree; }
  // The button that reads `text`, its mnemonic aside.
  QPushButton* Button(const char* text) const;
  QLabel* Caption() const { return m_caption; }
  QLabel* Line(int index) const { return m_lines[index]; }

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnSelectionChanged();
  void ShowTime();
  void Refill(const CLocation* select);
  void SaveFiles();

  AppContext m_context;
  CEventList* m_events;
  std::function<void()> m_clockChanged;
  QComboBox* m_view = nullptr;
  std::unique_ptr<CLocationTree> m_tree;
  QPushButton* m_add = nullptr;
  QPushButton* m_change = nullptr;
  QPushButton* m_delete = nullptr;
  QPushButton* m_show = nullptr;
  QPushButton* m_ok = nullptr;
  QLabel* m_caption = nullptr;
  QLabel* m_lines[3] = {};
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "events/eventactions.h"
#include "platform/translatable.h"
#include "ui/widgets/appcontext.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class QTreeWidget;

namespace zw {

class CEvent;
class CClockSettings;
class CEventList;
class IFileLayer;
class CFrequencyPage;
class CLocationDB;
class CLocationTree;
class IMessageSink;

// Edits one event in place: its name, location, frequency page, pre-notify minutes and
// actions. The caller passes a new record or a copy and keeps it only on OK.
class CEventEditDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kNameMissing = ZW_TR_NOOP("Core", "Alarm name must be entered.");
  static constexpr const char* kLocationMissing = ZW_TR_NOOP(
      "Core",
      "A valid location must be selected in order to determine the time zone used by the alarm.");
  static constexpr const char* kNoActionQuestion =
      ZW_TR_NOOP("Core", "No alarm action has been specified.  Do you want to enter an action?");

  CEventEditDlg(const AppContext& context, CEvent& alarm, QWidget* parent = nullptr);
  ~CEventEditDlg() override;

  QLineEdit* NameEdit() const { return m_name; }
  QCheckBox* OnBox() const { return m_on; }
  QComboBox* ViewBox() const { return m_view; }
  CLocationTree& LocationTree() const { return *m_tree; }
  QTabBar* Tabs() const { return m_tabs; }
  CFrequencyPage* Page(int frequency) const { return m_pages[static_cast<std::size_t>(frequency)]; }
  CFrequencyPage* CurrentPage() const;
  QSpinBox* PreNotifyBox() const { return m_preNotify; }
  QPushButton* ActionButton() const { return m_action; }
  QComboBox* MissedBox() const { return m_missed; }
  EventActions& Actions() { return m_actions; }

  // Opens the Event Actions dialog on the holding fields.
  void EditActions();
  void accept() override;
  void done(int result) override;

 protected:
  bool focusNextPrevChild(bool next) override;

 private:
  void BuildControls();
  bool SwitchTab(int index);

  CEvent& m_alarm;
  const CLocationDB& m_db;
  CClockSettings& m_settings;
  IMessageSink& m_messages;
  IFileLayer& m_files;
  const CEventList& m_events;
  EventActions m_actions;

  QLineEdit* m_name = nullptr;
  QCheckBox* m_on = nullptr;
  QComboBox* m_view = nullptr;
  std::unique_ptr<CLocationTree> m_tree;
  QTabBar* m_tabs = nullptr;
  QStackedWidget* m_stack = nullptr;
  std::array<CFrequencyPage*, 5> m_pages{};
  QSpinBox* m_preNotify = nullptr;
  QPushButton* m_action = nullptr;
  QComboBox* m_missed = nullptr;
  int m_current = 0;
};

}  // namespace zw

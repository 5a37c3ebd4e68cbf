// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

#include "platform/translatable.h"
#include "ui/widgets/appcontext.h"

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace zw {

class CLocation;
class CLocationTree;

// Picks a location for another feature: copying a zone rule, the log's time basis.
class CSelectLocationDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kPickLocationMessage = ZW_TR_NOOP(
      "Core",
      "Please select a valid location within the group. Press the \"+\" sign next to the group "
      "to display a list of locations");

  // view -1 and location null: the stored view and last selection.
  CSelectLocationDlg(const AppContext& context, int view, const CLocation* location,
                     QWidget* parent = nullptr);
  ~CSelectLocationDlg() override;

  // After OK: the chosen location and the view it was chosen in.
  CLocation* Chosen() const { return m_chosen; }
  int ChosenView() const { return m_chosenView; }

  QComboBox* ViewBox() const { return m_view; }
  QTreeWidget* Tree() const;

  void accept() override;

 private:
  IMessageSink& m_messages;
  QComboBox* m_view = nullptr;
  std::unique_ptr<CLocationTree> m_tree;
  CLocation* m_chosen = nullptr;
  int m_chosenView = -1;
};

}  // namespace zw

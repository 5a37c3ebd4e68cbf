// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "events/missedevents.h"
#include "timecore/displayoptions.h"

class QTreeWidget;

namespace zw {

// "Missed while away": one window for every occurrence that passed unseen, in place of a box
// for each. Rows of events the user wants to be asked about offer to run them now.
class CMissedWnd : public QDialog {
  Q_OBJECT

 public:
  enum Column { kTimeColumn, kPlaceColumn, kMessageColumn, kActionColumn, kColumnCount };
  using Runner = std::function<void(const MissedOccurrence&)>;

  // `run` carries out an occurrence the user asks to run.
  explicit CMissedWnd(Runner run, QWidget* parent = nullptr);

  // Adds the occurrences below those already listed: a second absence while the window is
  // open adds to it rather than opening another.
  void Add(const std::vector<MissedOccurrence>& missed, const DisplayOptions& display);
  QTreeWidget* List() const { return m_list; }
  // The text the action column shows for an occurrence handled without the user.
  static QString ActionText(MissedAction action);

 protected:
  // A sound started by a late run plays until the window is closed, as it would until an
  // alarm box is.
  void done(int result) override;

 private:
  void AddRow(const MissedOccurrence& occurrence, const DisplayOptions& display);

  Runner m_run;
  QTreeWidget* m_list = nullptr;
};

}  // namespace zw

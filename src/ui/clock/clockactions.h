// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QWidget;

namespace zw {

// The program's commands, each created once with its text, shortcut and icon and shared by
// the popup menu, the toolbar and the keyboard. The clock connects the ones it carries out
// itself; the program connects those that open dialogs. A command nobody connected does
// nothing.
struct ClockActions {
  // Parents every action to `owner`, whose window then takes their shortcuts.
  static ClockActions Create(QWidget* owner);

  QAction* addChange;
  QAction* setEvents;
  QAction* browseSchedule;
  QAction* compareTimes;
  QAction* currency;
  QAction* measurement;
  QAction* updateDatabase;
  QAction* synchronizeTime;
  QAction* showTitlebar;
  QAction* showToolbar;
  QAction* keepOnTop;
  QAction* minimize;
  QAction* properties;
  QAction* helpTopics;
  QAction* about;
  QAction* exit;
  QAction* popupMenu;
};

}  // namespace zw

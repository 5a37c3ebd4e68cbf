#include "ui/clock/clockactions.h"

#include <QAction>
#include <QCoreApplication>
#include <QIcon>
#include <QWidget>

namespace zw {

namespace {

struct Definition {
  const char* text;  // as the menu shows it, mnemonic and shortcut included
  QKeySequence shortcut;
  const char* icon = nullptr;  // toolbar buttons only
  const char* toolTip = nullptr;
  const char* statusTip = nullptr;
};

QAction* Make(QWidget* owner, const Definition& d) {
  auto* action = new QAction(QCoreApplication::translate("zw::ClockActions", d.text), owner);
  if (!d.shortcut.isEmpty()) {
    action->setShortcut(d.shortcut);
    // The menu text already names the shortcut where the menu shows one.
    action->setShortcutVisibleInContextMenu(false);
    owner->addAction(action);
  }
  if (d.icon != nullptr) {
    action->setIcon(QIcon(QString::fromLatin1(d.icon)));
    // The icons are the toolbar's; the menu stays text only.
    action->setIconVisibleInMenu(false);
    action->setToolTip(QCoreApplication::translate("zw::ClockActions", d.toolTip));
    action->setStatusTip(QCoreApplication::translate("zw::ClockActions", d.statusTip));
  }
  return action;
}

QAction* MakeCheckable(QWidget* owner, const char* text) {
  QAction* action = Make(owner, {text, {}});
  action->setCheckable(true);
  return action;
}

QKeySequence Alt(Qt::Key key) {
  return QKeySequence(Qt::ALT | key);
}

}  // namespace

ClockActions ClockActions::Create(QWidget* owner) {
  return ClockActions{
      .addChange = Make(owner, {"&Add/Change...\tAlt+A", Alt(Qt::Key_A), ":/icons/time-lookup.svg",
                                "Time Lookup", "Time Lookup"}),
      .setEvents = Make(owner, {"&Set...\tAlt+S", Alt(Qt::Key_S)}),
      .browseSchedule = Make(owner, {"&Browse Schedule\tAlt+B", Alt(Qt::Key_B),
                                     ":/icons/schedule.svg", "Schedule", "Schedule"}),
      .compareTimes = Make(owner, {"Co&mpare Times...\tAlt+C", Alt(Qt::Key_C),
                                   ":/icons/compare-time.svg", "CompareTime", "Compare Time"}),
      .currency =
          Make(owner, {"C&urrency Conversion...\tAlt+D", Alt(Qt::Key_D), ":/icons/currency.svg",
                       "Currency Conversion", "Currency Converson"}),
      .measurement = Make(
          owner, {"Mea&surement Conversion...\tAlt+M", Alt(Qt::Key_M), ":/icons/measurement.svg",
                  "Measurement Conversion", "Measurement Conversion"}),
      .updateDatabase =
          Make(owner, {"&Update Database...\tAlt+U", Alt(Qt::Key_U), ":/icons/update-database.svg",
                       "Update Database", "Update Database"}),
      .synchronizeTime = Make(owner, {"Synchronize &Time...\tAlt+T", Alt(Qt::Key_T)}),
      .showTitlebar = MakeCheckable(owner, "Show &Titlebar"),
      .showToolbar = MakeCheckable(owner, "Show Tool&bar"),
      .keepOnTop = MakeCheckable(owner, "&Keep on Top"),
      .minimize = Make(owner, {"Mi&nimize", {}}),
      .properties = Make(owner, {"&Properties...\tAlt+P", Alt(Qt::Key_P)}),
      .helpTopics = Make(owner, {"&Help Topics", QKeySequence(Qt::Key_F1)}),
      .about = Make(owner, {"&About Zonewright", {}}),
      .exit = Make(owner, {"E&xit\tAlt+F4", {}}),
      .popupMenu =
          Make(owner, {"Popup Menu", {}, ":/icons/popup-menu.svg", "Popup Menu", "Popup Menu"}),
  };
}

}  // namespace zw

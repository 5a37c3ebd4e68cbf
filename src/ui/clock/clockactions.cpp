// SPDX-License-Identifier: GPL-3.0-or-later
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
      .addChange = Make(
          owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Add/Change...\tAlt+A"), Alt(Qt::Key_A),
                  ":/icons/time-lookup.svg", QT_TRANSLATE_NOOP("zw::ClockActions", "Time Lookup"),
                  QT_TRANSLATE_NOOP("zw::ClockActions", "Time Lookup")}),
      .setEvents =
          Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Set...\tAlt+S"), Alt(Qt::Key_S)}),
      .browseSchedule = Make(
          owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Browse Schedule\tAlt+B"), Alt(Qt::Key_B),
                  ":/icons/schedule.svg", QT_TRANSLATE_NOOP("zw::ClockActions", "Schedule"),
                  QT_TRANSLATE_NOOP("zw::ClockActions", "Schedule")}),
      .compareTimes = Make(
          owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "Co&mpare Times...\tAlt+C"), Alt(Qt::Key_C),
                  ":/icons/compare-time.svg", QT_TRANSLATE_NOOP("zw::ClockActions", "CompareTime"),
                  QT_TRANSLATE_NOOP("zw::ClockActions", "Compare Time")}),
      .currency =
          Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "C&urrency Conversion...\tAlt+D"),
                       Alt(Qt::Key_D), ":/icons/currency.svg",
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Currency Conversion"),
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Currency Converson")}),
      .measurement =
          Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "Mea&surement Conversion...\tAlt+M"),
                       Alt(Qt::Key_M), ":/icons/measurement.svg",
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Measurement Conversion"),
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Measurement Conversion")}),
      .updateDatabase =
          Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Update Database...\tAlt+U"),
                       Alt(Qt::Key_U), ":/icons/update-database.svg",
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Update Database"),
                       QT_TRANSLATE_NOOP("zw::ClockActions", "Update Database")}),
      .synchronizeTime = Make(
          owner,
          {QT_TRANSLATE_NOOP("zw::ClockActions", "Synchronize &Time...\tAlt+T"), Alt(Qt::Key_T)}),
      .showTitlebar = MakeCheckable(owner, QT_TRANSLATE_NOOP("zw::ClockActions", "Show &Titlebar")),
      .showToolbar = MakeCheckable(owner, QT_TRANSLATE_NOOP("zw::ClockActions", "Show Tool&bar")),
      .keepOnTop = MakeCheckable(owner, QT_TRANSLATE_NOOP("zw::ClockActions", "&Keep on Top")),
      .minimize = Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "Mi&nimize"), {}}),
      .properties = Make(
          owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Properties...\tAlt+P"), Alt(Qt::Key_P)}),
      .helpTopics = Make(
          owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&Help Topics"), QKeySequence(Qt::Key_F1)}),
      .about = Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "&About Zonewright"), {}}),
      .exit = Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "E&xit\tAlt+F4"), {}}),
      .popupMenu = Make(owner, {QT_TRANSLATE_NOOP("zw::ClockActions", "Popup Menu"),
                                {},
                                ":/icons/popup-menu.svg",
                                QT_TRANSLATE_NOOP("zw::ClockActions", "Popup Menu"),
                                QT_TRANSLATE_NOOP("zw::ClockActions", "Popup Menu")}),
  };
}

}  // namespace zw

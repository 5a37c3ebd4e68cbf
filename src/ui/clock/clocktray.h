// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace zw {

class CClockWnd;
class CLocationDB;

// The clock in the desktop's tray: its tooltip is the first clock line's place and time,
// kept current with the clock's tick; its menu is the clock's own popup menu, built anew each
// time it opens, under an entry that brings the clock window back.
class CClockTray : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kShowText = QT_TRANSLATE_NOOP("zw::CClockTray", "Sh&ow Clock");

  // Both must outlive the tray. The icon is made but not shown.
  CClockTray(CClockWnd& clock, CLocationDB& db, QObject* parent = nullptr);
  ~CClockTray() override;

  // Whether the desktop has a tray to show the icon in.
  static bool Available();
  void Show();

  QSystemTrayIcon& Icon() const { return *m_icon; }
  QMenu& Menu() const { return *m_menu; }
  // The tooltip for the clock as it is now: the first line's place and time.
  QString ToolTipText() const;

 private:
  void OnTick();
  void RefillMenu();

  CClockWnd& m_clock;
  CLocationDB& m_db;
  std::unique_ptr<QMenu> m_menu;
  QSystemTrayIcon* m_icon;
};

}  // namespace zw

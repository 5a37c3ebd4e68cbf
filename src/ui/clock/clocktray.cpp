// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clocktray.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include "locations/locationdb.h"
#include "ui/clock/clockwnd.h"
#include "ui/platform/latin1.h"

namespace zw {

CClockTray::CClockTray(CClockWnd& clock, CLocationDB& db, QObject* parent)
    : QObject(parent),
      m_clock(clock),
      m_db(db),
      m_menu(std::make_unique<QMenu>()),
      m_icon(new QSystemTrayIcon(QIcon(QStringLiteral(":/icons/zonewright.svg")), this)) {
  m_icon->setContextMenu(m_menu.get());
  // The Remove submenu follows the clock list, so the menu is made when it is opened.
  connect(m_menu.get(), &QMenu::aboutToShow, this, &CClockTray::RefillMenu);
  RefillMenu();
  connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why != QSystemTrayIcon::Trigger) {
      return;
    }
    if (m_clock.isVisible() && !m_clock.isMinimized()) {
      m_clock.hide();
    } else {
      m_clock.Present();
    }
  });
  connect(&m_clock, &CClockWnd::ticked, this, &CClockTray::OnTick);
  OnTick();
}

CClockTray::~CClockTray() = default;

bool CClockTray::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

void CClockTray::Show() {
  m_icon->show();
}

QString CClockTray::ToolTipText() const {
  if (m_db.ClockCount() == 0) {
    return tr("Zonewright");
  }
  const CLocation& first = *m_db.ClockAt(0);
  const PlaceTime* shown = m_clock.LineTime(0);
  const QString time = shown != nullptr ? Latin1(shown->time) : QString();
  return (Latin1(first.Name()) + QStringLiteral("  ") + time).trimmed();
}

void CClockTray::OnTick() {
  // Setting a tooltip goes out to the tray host each time, so only a new text is sent.
  const QString text = ToolTipText();
  if (text != m_icon->toolTip()) {
    m_icon->setToolTip(text);
  }
}

void CClockTray::RefillMenu() {
  m_menu->clear();
  // clear() leaves the submenus of the last build behind as children.
  qDeleteAll(m_menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly));
  QAction* show = m_menu->addAction(tr(kShowText));
  connect(show, &QAction::triggered, &m_clock, &CClockWnd::Present);
  m_menu->addSeparator();
  m_clock.FillPopupMenu(*m_menu);
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/helprouter.h"

#include <QApplication>
#include <QKeyEvent>

#include "ui/app/helpwindow.h"
#include "ui/app/welcomedlg.h"
#include "ui/clock/colorpage.h"
#include "ui/clock/fontpage.h"
#include "ui/clock/formatpage.h"
#include "ui/clock/logfilepage.h"
#include "ui/clock/propertysheet.h"
#include "ui/convert/currencydlg.h"
#include "ui/convert/measuredlg.h"
#include "ui/events/eventactionsdlg.h"
#include "ui/events/eventeditdlg.h"
#include "ui/events/eventlistdlg.h"
#include "ui/events/eventsummarydlg.h"
#include "ui/events/scheduledlg.h"
#include "ui/locations/comparetimedlg.h"
#include "ui/locations/entertimedlg.h"
#include "ui/locations/locationlistdlg.h"
#include "ui/locations/locationpropsdlg.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/net/timesyncdlg.h"
#include "ui/net/updatedlg.h"
#include "ui/widgets/calendardlg.h"

namespace zw {

namespace {

// Property pages come before their sheet: the page in front is the more precise answer.
constexpr CHelpRouter::Page kPages[] = {
    {&CFormatPage::staticMetaObject, "properties.html#format"},
    {&CColorPage::staticMetaObject, "properties.html#color"},
    {&CFontPage::staticMetaObject, "properties.html#font"},
    {&CLogFilePage::staticMetaObject, "properties.html#log"},
    {&CPropertySheet::staticMetaObject, "properties.html"},
    {&CLocationListDlg::staticMetaObject, "locations.html"},
    {&CLocationPropsDlg::staticMetaObject, "locations.html#properties"},
    {&CSelectLocationDlg::staticMetaObject, "locations.html#select"},
    {&CCompareTimeDlg::staticMetaObject, "compare.html"},
    {&CEnterTimeDlg::staticMetaObject, "compare.html#moment"},
    {&CEventListDlg::staticMetaObject, "events.html#list"},
    {&CEventEditDlg::staticMetaObject, "events.html#settings"},
    {&CEventActionsDlg::staticMetaObject, "events.html#actions"},
    {&CScheduleDlg::staticMetaObject, "schedule.html"},
    {&CEventSummaryDlg::staticMetaObject, "schedule.html#details"},
    {&CCurrencyDlg::staticMetaObject, "convert.html#currency"},
    {&CMeasureDlg::staticMetaObject, "convert.html#measure"},
    {&CUpdateDlg::staticMetaObject, "update.html#database"},
    {&CTimeSyncDlg::staticMetaObject, "update.html#sync"},
    {&CCalendarDlg::staticMetaObject, "calendar.html"},
    {&CWelcomeDlg::staticMetaObject, "index.html"},
};

}  // namespace

std::span<const CHelpRouter::Page> CHelpRouter::Pages() {
  return kPages;
}

QString CHelpRouter::PageFor(const QWidget* widget) {
  for (const QObject* o = widget; o != nullptr; o = o->parent()) {
    for (const Page& p : kPages) {
      if (p.window->cast(o) != nullptr) {
        return QString::fromLatin1(p.page);
      }
    }
  }
  return {};
}

CHelpRouter::CHelpRouter(QObject* parent) : QObject(parent) {}

CHelpRouter::~CHelpRouter() = default;

void CHelpRouter::Show(const QString& page, QWidget* near) {
  QWidget* modal = QApplication::activeModalWidget();
  CHelpWindow* window = nullptr;
  if (modal == nullptr) {
    if (!m_shared) {
      m_shared = std::make_unique<CHelpWindow>();
    }
    window = m_shared.get();
  } else {
    if (m_modal.isNull() || m_modal->parentWidget() != modal) {
      delete m_modal;
      m_modal = new CHelpWindow(modal);
      m_modal->setAttribute(Qt::WA_DeleteOnClose);
    }
    window = m_modal;
  }
  m_last = window;
  window->ShowPage(page, near);
}

bool CHelpRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return QObject::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) {
    return QObject::eventFilter(watched, event);
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  const QString page = PageFor(widget);
  if (page.isEmpty()) {
    return QObject::eventFilter(watched, event);
  }
  Show(page, widget->window());
  return true;
}

}  // namespace zw

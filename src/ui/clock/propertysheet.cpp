// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/propertysheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/clock/clockwnd.h"
#include "ui/clock/colorpage.h"
#include "ui/clock/desktoppage.h"
#include "ui/clock/fontpage.h"
#include "ui/clock/formatpage.h"
#include "ui/clock/logfilepage.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

CPropertySheet::CPropertySheet(const AppContext& context, CClockWnd& clock, QWidget* parent,
                               const DesktopServices* desktop)
    : QDialog(parent), m_clock(clock), m_positions(context.positions) {
  setWindowTitle(tr(kTitle));
  Build(context, desktop);
  Connect();
  // An applied but unconfirmed change that resizes the clock must not reach the record
  // through the clock's own save.
  m_clock.PauseSaves();
  m_positions.Place(this, CDialogPositions::kProperties);
}

CPropertySheet::~CPropertySheet() {
  m_clock.ResumeSaves();
}

void CPropertySheet::Run(const AppContext& context, CClockWnd& clock,
                         const DesktopServices* desktop) {
  CPropertySheet sheet(context, clock, &clock, desktop);
  sheet.exec();
}

void CPropertySheet::Build(const AppContext& context, const DesktopServices* desktop) {
  auto* layout = new QVBoxLayout(this);
  m_tabs = new QTabWidget(this);
  m_format = new CFormatPage(context.settings);
  m_color = new CColorPage(context.settings, context.db);
  m_font = new CFontPage(context.settings);
  m_logFile = new CLogFilePage(context);
  m_tabs->addTab(m_format, CFormatPage::tr(CFormatPage::kTitle));
  m_tabs->addTab(m_color, CColorPage::tr(CColorPage::kTitle));
  m_tabs->addTab(m_font, CFontPage::tr(CFontPage::kTitle));
  m_tabs->addTab(m_logFile, CLogFilePage::tr(CLogFilePage::kTitle));
  if (desktop != nullptr) {
    m_desktop = new CDesktopPage(*desktop, context.messages);
    m_tabs->addTab(m_desktop, CDesktopPage::tr(CDesktopPage::kTitle));
  }
  layout->addWidget(m_tabs);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  m_cancel = buttons->button(QDialogButtonBox::Cancel);
  m_apply = buttons->button(QDialogButtonBox::Apply);
  m_apply->setText(tr("&Apply"));
  // Nothing to apply until a page changes.
  m_apply->setEnabled(false);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
  connect(m_apply, &QPushButton::clicked, this, &CPropertySheet::OnApply);
}

void CPropertySheet::Connect() {
  connect(m_format, &CFormatPage::modified, this, &CPropertySheet::OnModified);
  connect(m_font, &CFontPage::modified, this, &CPropertySheet::OnModified);
  connect(m_logFile, &CLogFilePage::modified, this, &CPropertySheet::OnModified);
  if (m_desktop != nullptr) {
    connect(m_desktop, &CDesktopPage::modified, this, &CPropertySheet::OnModified);
  }
  connect(m_font, &CFontPage::fontChanged, this, &CPropertySheet::OnFontChanged);
  connect(m_color, &CColorPage::colorChanged, this, [this] { m_clock.update(); });
}

void CPropertySheet::OnModified() {
  m_apply->setEnabled(true);
}

void CPropertySheet::OnFontChanged() {
  m_clock.ReloadFonts();
  m_clock.RequestRelayout();
}

void CPropertySheet::StoreAndRefresh() {
  m_format->Store();
  m_font->Store();
  m_logFile->Store();
  if (m_desktop != nullptr) {
    m_desktop->Store();
  }
  m_clock.RefreshTexts();
}

void CPropertySheet::OnApply() {
  m_apply->setEnabled(false);
  StoreAndRefresh();
  activateWindow();
}

void CPropertySheet::accept() {
  StoreAndRefresh();
  m_clock.SaveSettings();
  QDialog::accept();
}

void CPropertySheet::done(int result) {
  m_positions.Remember(this, CDialogPositions::kProperties);
  m_clock.ResumeSaves();
  QDialog::done(result);
}

}  // namespace zw

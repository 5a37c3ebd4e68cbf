// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locations/selectlocationdlg.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/locations/locationtree.h"

namespace zw {

CSelectLocationDlg::CSelectLocationDlg(const AppContext& context, int view,
                                       const CLocation* location, QWidget* parent)
    : QDialog(parent), m_messages(context.messages) {
  const CClockSettings& settings = context.settings;
  setWindowTitle(tr("Select a Location"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_view = new QComboBox;
  for (const char* name : CLocationTree::kViewNames) {
    m_view->addItem(QCoreApplication::translate("zw::CLocationTree", name));
  }
  form->addRow(tr("&List by:"), m_view);
  layout->addLayout(form);
  auto* tree = new QTreeWidget;
  tree->setMinimumSize(260, 300);
  layout->addWidget(tree);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CSelectLocationDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CSelectLocationDlg::reject);

  m_tree = std::make_unique<CLocationTree>(tree, context.db);
  const int start = view >= 0 ? view : settings.Values().listKind;
  m_tree->Fill(start);
  m_view->setCurrentIndex(m_tree->CurrentView());
  if (location == nullptr || !m_tree->Select(location)) {
    m_tree->SelectByName(settings.Values().lastLocation.name,
                         settings.Values().lastLocation.country);
  }
  connect(m_view, &QComboBox::currentIndexChanged, this,
          [this](int index) { m_tree->ChangeView(index); });
  connect(tree, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (m_tree->Selected() != nullptr) {
      accept();
    }
  });
}

CSelectLocationDlg::~CSelectLocationDlg() = default;

QTreeWidget* CSelectLocationDlg::Tree() const {
  return m_tree->Tree();
}

void CSelectLocationDlg::accept() {
  CLocation* location = m_tree->Selected();
  if (location == nullptr) {
    m_messages.Warn(kPickLocationMessage);
    return;
  }
  m_chosen = location;
  m_chosenView = m_tree->CurrentView();
  QDialog::accept();
}

}  // namespace zw

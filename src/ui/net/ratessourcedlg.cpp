// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/ratessourcedlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/messagesink.h"
#include "settings/desktopprefs.h"
#include "ui/net/ratesbutton.h"

namespace zw {

namespace {

// Room for the default address and a little more.
constexpr int kFieldChars = 64;

}  // namespace

CRatesSourceDlg::CRatesSourceDlg(const QString& source, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Exchange Rates Source"));
  auto* explanation = new QLabel(
      tr("Today's exchange rates are fetched from this address (http or https). It must serve "
         "euro reference rates in the central bank's daily XML form."),
      this);
  explanation->setWordWrap(true);
  m_field = new QLineEdit(source, this);
  m_field->setMaxLength(static_cast<int>(CDesktopPrefsFile::kMaxAddressBytes));
  m_field->setMinimumWidth(m_field->fontMetrics().averageCharWidth() * kFieldChars);
  m_problem = new QLabel(tr("Enter a whole address beginning with http:// or https://."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  m_default = buttons->addButton(tr("Default"), QDialogButtonBox::ResetRole);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addWidget(m_field);
  layout->addWidget(m_problem);
  layout->addWidget(buttons);
  connect(m_field, &QLineEdit::textChanged, this, &CRatesSourceDlg::Check);
  connect(m_default, &QPushButton::clicked, this,
          [this] { m_field->setText(CRatesButton::DefaultSource()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Check();
}

bool CRatesSourceDlg::Store(const QString& source, const std::string& path) {
  CDesktopPrefsFile file(path);
  DesktopPrefs prefs = file.Load();
  prefs.ratesSource =
      source == CRatesButton::DefaultSource() ? std::string() : source.toStdString();
  return file.Save(prefs);
}

void CRatesSourceDlg::Edit(CRatesButton& button, IMessageSink& messages, QWidget* parent) {
  CRatesSourceDlg dialog(button.Source(), parent);
  if (dialog.exec() != QDialog::Accepted || dialog.Source() == button.Source()) {
    return;
  }
  button.SetSource(dialog.Source());
  if (!Store(dialog.Source(), CDesktopPrefsFile::DefaultPath())) {
    messages.Warn(tr("The exchange rates source is used for now but could not be saved in %1.")
                      .arg(QString::fromStdString(CDesktopPrefsFile::DefaultPath()))
                      .toStdString());
  }
}

QString CRatesSourceDlg::Source() const {
  return m_field->text().trimmed();
}

void CRatesSourceDlg::Check() {
  const bool acceptable = CRatesButton::Fetchable(Source());
  m_ok->setEnabled(acceptable);
  m_problem->setVisible(!acceptable);
}

}  // namespace zw

#include "ui/net/ratessourcedlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "convert/ratesupdate.h"
#include "platform/messagesink.h"
#include "settings/desktopprefs.h"
#include "ui/net/ratesbutton.h"

namespace zw {

namespace {

constexpr int kFieldWidth = 420;

QString DefaultSource() {
  return QString::fromUtf8(CRatesUpdate::kDefaultSource.data(),
                           static_cast<qsizetype>(CRatesUpdate::kDefaultSource.size()));
}

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
  m_field->setMinimumWidth(kFieldWidth);
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
  connect(m_default, &QPushButton::clicked, this, [this] { m_field->setText(DefaultSource()); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Check();
}

bool CRatesSourceDlg::Acceptable(const QString& text) {
  if (text.isEmpty() ||
      text.toUtf8().size() > static_cast<qsizetype>(CDesktopPrefsFile::kMaxAddressBytes)) {
    return false;
  }
  // Blanks and line breaks would not survive the desktop choices' one line per key.
  for (const QChar c : text) {
    if (c.isSpace() || c.category() == QChar::Other_Control) {
      return false;
    }
  }
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

bool CRatesSourceDlg::Store(const QString& source, const std::string& path) {
  CDesktopPrefsFile file(path);
  DesktopPrefs prefs = file.Load();
  prefs.ratesSource = source == DefaultSource() ? std::string() : source.toStdString();
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
  const bool acceptable = Acceptable(Source());
  m_ok->setEnabled(acceptable);
  m_problem->setVisible(!acceptable);
}

}  // namespace zw

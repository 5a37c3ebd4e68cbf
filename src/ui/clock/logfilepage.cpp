// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/logfilepage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "locations/locationdb.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "settings/userdirectories.h"
#include "ui/locations/selectlocationdlg.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

constexpr const char* kNameLabel =
    QT_TRANSLATE_NOOP("zw::CLogFilePage", "&Name and Directory of the Log File:");
constexpr const char* kBasisLabel = QT_TRANSLATE_NOOP("zw::CLogFilePage", "Log &Time Basis:");
constexpr const char* kBrowseText = "...";
constexpr const char* kGmtText = QT_TRANSLATE_NOOP("zw::CLogFilePage", "&GMT");
constexpr const char* kMissingDirectory =
    QT_TRANSLATE_NOOP("zw::CLogFilePage", "The directory of \"%1\" does not exist.");
constexpr const char* kNameTooLong =
    QT_TRANSLATE_NOOP("zw::CLogFilePage", "Please enter no more than %1 characters.");

constexpr int kFieldFrame = 12;
constexpr std::size_t kMaxStoredName = CSettingsCodec::kLogFileNameBytes;

// The stored name's bytes go to the file system as they are, so they are kept in its
// encoding rather than in the Latin-1 of the location texts.
QString FileName(const std::string& stored) {
  return QFile::decodeName(QByteArray(stored.data(), static_cast<qsizetype>(stored.size())));
}

std::string StoredName(const QString& name) {
  const QByteArray bytes = QFile::encodeName(name);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QPushButton* MakeButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QCoreApplication::translate("zw::CLogFilePage", text), parent);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

CLogFilePage::CLogFilePage(const AppContext& context, QWidget* parent)
    : QWidget(parent),
      m_context(context),
      m_db(context.db),
      m_settings(context.settings),
      m_messages(context.messages) {
  m_chooseFile = [this](const QString& current) { return AskFileName(current); };
  Build();
  Connect();
  Load();
}

void CLogFilePage::Build() {
  auto* grid = new QGridLayout(this);
  m_record = new QCheckBox(tr(kRecordText), this);
  m_name = new QLineEdit(this);
  m_name->setMaxLength(kMaxNameLength);
  m_browseName = MakeButton(kBrowseText, this);
  m_basis = new QLineEdit(this);
  m_basis->setReadOnly(true);
  // Room for "Greenwich Mean Time" and a typical "city,  country" whole, with the frame.
  m_basis->setMinimumWidth(
      m_basis->fontMetrics().horizontalAdvance(QStringLiteral("San Francisco,  United States")) +
      kFieldFrame);
  m_browseBasis = MakeButton(kBrowseText, this);
  m_gmt = MakeButton(kGmtText, this);
  // "..." says nothing to a screen reader.
  m_browseName->setAccessibleName(tr("Browse for the log file"));
  m_browseBasis->setAccessibleName(tr("Choose the time basis"));

  grid->addWidget(m_record, 0, 0, 1, 3);
  auto* nameLabel = new QLabel(QCoreApplication::translate("zw::CLogFilePage", kNameLabel), this);
  nameLabel->setBuddy(m_name);
  grid->addWidget(nameLabel, 1, 0, 1, 3);
  grid->addWidget(m_name, 2, 0, 1, 2);
  grid->addWidget(m_browseName, 2, 2);
  auto* basisLabel = new QLabel(QCoreApplication::translate("zw::CLogFilePage", kBasisLabel), this);
  basisLabel->setBuddy(m_basis);
  grid->addWidget(basisLabel, 3, 0, 1, 3);
  grid->addWidget(m_basis, 4, 0);
  grid->addWidget(m_browseBasis, 4, 1);
  grid->addWidget(m_gmt, 4, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(5, 1);
}

void CLogFilePage::Connect() {
  connect(m_record, &QCheckBox::clicked, this, &CLogFilePage::OnRecordClicked);
  connect(m_name, &QLineEdit::textEdited, this, &CLogFilePage::modified);
  connect(m_browseName, &QPushButton::clicked, this, &CLogFilePage::OnBrowseName);
  connect(m_browseBasis, &QPushButton::clicked, this, &CLogFilePage::OnBrowseBasis);
  connect(m_gmt, &QPushButton::clicked, this, &CLogFilePage::OnGmt);
}

void CLogFilePage::Load() {
  const ClockSettings& f = m_settings.Values();
  m_copies = Copies{f.logStarts, f.logFileName, f.logLocationView, f.logLocation.name,
                    f.logLocation.country};
  m_record->setChecked(m_copies.option);
  m_name->setText(FileName(m_copies.fileName));
  ShowBasis();
  ApplyEnabling();
}

void CLogFilePage::Store() {
  m_copies.option = m_record->isChecked();
  m_copies.fileName = StoredName(m_name->text());
  ClockSettings& f = m_settings.Values();
  f.logStarts = m_copies.option;
  f.logFileName = m_copies.fileName;
  f.logLocationView = m_copies.locationIndex;
  f.logLocation = PlaceName{m_copies.locationName, m_copies.locationCountry};
}

const CLocation* CLogFilePage::BasisLocation() const {
  const int index = m_db.Find(m_copies.locationName, m_copies.locationCountry);
  return index >= 0 ? m_db.At(static_cast<std::size_t>(index)) : nullptr;
}

void CLogFilePage::ShowBasis() {
  // A basis location that has left the database is GMT, as it is for the log itself.
  const CLocation* location = BasisLocation();
  m_basis->setText(location == nullptr
                       ? tr(kGmtBasis)
                       : Latin1(location->Name()) + QString::fromLatin1(kBasisSeparator) +
                             Latin1(location->Country()));
  // A text longer than the field shows its beginning, the name, rather than its end.
  m_basis->setCursorPosition(0);
}

void CLogFilePage::ApplyEnabling() {
  const bool on = m_record->isChecked();
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_name, m_browseName, m_basis, m_browseBasis, m_gmt}) {
    control->setEnabled(on);
  }
}

void CLogFilePage::OnRecordClicked() {
  ApplyEnabling();
  emit modified();
}

std::optional<QString> CLogFilePage::AskFileName(const QString& current) {
  QFileDialog dialog(this, tr(kFileDialogTitle), current, tr(kFileFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().constFirst();
}

// A bare name logs into the state directory, so that is where browsing for it begins; the
// directory is made first because a dialog opened on a missing one falls back to the home folder.
QString CLogFilePage::BrowseStart() const {
  const QString name = m_name->text();
  if (name.contains(QLatin1Char('/'))) {
    return name;
  }
  const QString state = QString::fromStdString(CUserDirectories::State());
  QDir().mkpath(state);
  return state + QLatin1Char('/') + name;
}

void CLogFilePage::OnBrowseName() {
  const std::optional<QString> chosen = m_chooseFile(BrowseStart());
  if (!chosen) {
    return;
  }
  const QString path = QFileInfo(*chosen).absoluteFilePath();
  // A name the field or the record cannot hold whole would log to some other file.
  if (path.size() > kMaxNameLength || StoredName(path).size() > kMaxStoredName) {
    m_messages.Warn(Latin1Bytes(
        QCoreApplication::translate("zw::CLogFilePage", kNameTooLong).arg(kMaxNameLength)));
    return;
  }
  if (!QFileInfo(path).absoluteDir().exists()) {
    m_messages.Warn(
        Latin1Bytes(QCoreApplication::translate("zw::CLogFilePage", kMissingDirectory).arg(path)));
    return;
  }
  m_name->setText(path);
  emit modified();
}

void CLogFilePage::OnBrowseBasis() {
  const CLocation* basis = m_copies.locationIndex != -1 ? BasisLocation() : nullptr;
  const int view = basis != nullptr ? m_copies.locationIndex : -1;
  CSelectLocationDlg select(m_context, view, basis, this);
  if (select.exec() != QDialog::Accepted || select.Chosen() == nullptr) {
    return;
  }
  const CLocation* chosen = select.Chosen();
  m_copies.locationIndex = select.ChosenView();
  m_copies.locationName = chosen->Name();
  m_copies.locationCountry = chosen->Country();
  ShowBasis();
  emit modified();
}

void CLogFilePage::OnGmt() {
  m_copies.locationIndex = -1;
  m_copies.locationName.clear();
  m_copies.locationCountry.clear();
  m_basis->setText(tr(kGmtBasis));
  m_basis->setCursorPosition(0);
  emit modified();
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/updatedlg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "locations/zonecompanion.h"
#include "net/ftpsession.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "ui/net/ftpthread.h"
#include "ui/net/ratesbutton.h"
#include "ui/net/ratessourcedlg.h"
#include "ui/platform/coretext.h"
#include "ui/platform/latin1.h"
#include "ui/widgets/dialogpositions.h"
#include "ui/widgets/mnemonics.h"

namespace zw {

namespace {

constexpr const char* kComponentsGroup =
    QT_TRANSLATE_NOOP("zw::CUpdateDlg", "Components to Update");
constexpr const char* kRetrieveText = QT_TRANSLATE_NOOP("zw::CUpdateDlg", "&Retrieve");
constexpr const char* kCancelText = QT_TRANSLATE_NOOP("zw::CUpdateDlg", "&Cancel");
constexpr const char* kDirectoryGroup =
    QT_TRANSLATE_NOOP("zw::CUpdateDlg", "Internet FTP Directory");
constexpr const char* kResetText = QT_TRANSLATE_NOOP("zw::CUpdateDlg", "R&eset");
constexpr int kLabelWidth = 260;
constexpr int kListMinHeight = 150;
constexpr int kFieldFrame = 12;

// Whether the details pane was shown when the dialog last closed; like its rectangle, kept
// for the run only.
bool g_detailsShownAtClose = false;

std::string ToLatin1(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QPushButton* MakeButton(const char* text, QWidget* parent) {
  auto* button = new QPushButton(QCoreApplication::translate("zw::CUpdateDlg", text), parent);
  button->setAutoDefault(false);
  return button;
}

// The wait cursor for as long as the object lives.
class WaitCursor {
 public:
  WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

CUpdateDlg::CUpdateDlg(const AppContext& context, std::function<void()> requestRestart,
                       const IClockSource* clock, QWidget* parent)
    : QDialog(parent),
      m_settings(context.settings),
      m_store(context.store),
      m_messages(context.messages),
      m_positions(context.positions),
      m_requestRestart(std::move(requestRestart)),
      m_clock(clock != nullptr ? *clock : m_systemClock),
      m_update(context.settings, context.files, context.messages),
      m_timeout(CFtpSession::kDefaultTimeout) {
  const WaitCursor waiting;
  setWindowTitle(tr(kTitle));
  Build();
  // Exchange rates come over HTTPS rather than FTP, so they have a button of their own.
  if (auto* left = qobject_cast<QBoxLayout*>(layout()->itemAt(0)->layout())) {
    auto* rates =
        new CRatesButton(context.files, m_messages, CRatesButton::SourceFromPrefs(), this);
    auto* source = new QPushButton(tr("S&ource..."), this);
    source->setAutoDefault(false);
    connect(source, &QPushButton::clicked, this,
            [this, rates] { CRatesSourceDlg::Edit(*rates, m_messages, this); });
    auto* row = new QHBoxLayout;
    row->addWidget(rates);
    row->addWidget(source);
    row->addStretch();
    left->addLayout(row);
  }
  RefreshUpdatedTexts();
  m_directoryField->setText(Latin1(m_settings.Values().ftpDirectory));
  Place();
}

CUpdateDlg::~CUpdateDlg() {
  StopWorker();
}

void CUpdateDlg::Run(const AppContext& context, std::function<void()> requestRestart,
                     QWidget* parent) {
  CUpdateDlg dialog(context, std::move(requestRestart), nullptr, parent);
  dialog.exec();
}

void CUpdateDlg::Build() {
  auto* explanation = new QLabel(tr(kExplanation), this);
  explanation->setWordWrap(true);

  auto* group =
      new QGroupBox(QCoreApplication::translate("zw::CUpdateDlg", kComponentsGroup), this);
  auto* groupLayout = new QVBoxLayout(group);
  QStringList captions;
  for (std::size_t i = 0; i < CDatabaseUpdate::kComponentCount; ++i) {
    captions << CoreText(CDatabaseUpdate::kRows[i].caption);
  }
  // The letters the dialog's buttons already use.
  captions = WithMnemonics(captions, QStringLiteral("rcdet"));
  for (std::size_t i = 0; i < CDatabaseUpdate::kComponentCount; ++i) {
    m_boxes[i] = new QCheckBox(captions[static_cast<qsizetype>(i)], group);
    groupLayout->addWidget(m_boxes[i]);
  }

  m_retrieve = MakeButton(kRetrieveText, this);
  m_cancel = MakeButton(kCancelText, this);
  m_detailsButton = MakeButton(kShowDetails, this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_retrieve);
  buttons->addWidget(m_cancel);
  buttons->addWidget(m_detailsButton);

  m_progress = new QListWidget(this);
  m_progress->setMinimumHeight(kListMinHeight);

  auto* left = new QVBoxLayout;
  left->addWidget(explanation);
  left->addWidget(group);
  left->addLayout(buttons);
  left->addWidget(m_progress);

  m_details = BuildDetails();
  auto* main = new QHBoxLayout(this);
  main->addLayout(left);
  main->addWidget(m_details);
  // The dialog follows its contents, so hiding the pane narrows it by the pane's width.
  main->setSizeConstraint(QLayout::SetFixedSize);

  connect(m_retrieve, &QPushButton::clicked, this, &CUpdateDlg::OnRetrieve);
  connect(m_cancel, &QPushButton::clicked, this, &CUpdateDlg::reject);
  connect(m_detailsButton, &QPushButton::clicked, this, [this] { ShowDetails(!m_detailsShown); });
  connect(m_reset, &QPushButton::clicked, this, [this] {
    m_directoryField->setText(QString::fromLatin1(ClockSettings::kDefaultFtpDirectory.data(),
                                                  ClockSettings::kDefaultFtpDirectory.size()));
  });
}

QWidget* CUpdateDlg::BuildDetails() {
  auto* pane = new QWidget(this);
  auto* group = new QGroupBox(QCoreApplication::translate("zw::CUpdateDlg", kDirectoryGroup), pane);
  m_directoryField = new QLineEdit(group);
  // What the settings record holds, so what is saved is what the user sees.
  m_directoryField->setMaxLength(kDirectoryChars);
  // Wide enough for all of it: a directory cut off at the edge hides the part that is wrong.
  m_directoryField->setMinimumWidth(m_directoryField->fontMetrics().horizontalAdvance(
                                        QString(kDirectoryChars, QLatin1Char('0'))) +
                                    kFieldFrame);
  m_reset = MakeButton(kResetText, group);
  auto* groupLayout = new QHBoxLayout(group);
  groupLayout->addWidget(m_directoryField, 1);
  groupLayout->addWidget(m_reset);

  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(group);
  for (QLabel*& label : m_updatedLabels) {
    label = new QLabel(pane);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(kLabelWidth);
    layout->addWidget(label);
  }
  layout->addStretch(1);
  return pane;
}

void CUpdateDlg::Place() {
  ShowDetails(m_positions.IsRemembered(CDialogPositions::kUpdate) && g_detailsShownAtClose);
  m_positions.Place(this, CDialogPositions::kUpdate);
}

void CUpdateDlg::ShowDetails(bool show) {
  m_detailsShown = show;
  m_details->setVisible(show);
  m_detailsButton->setText(tr(show ? kHideDetails : kShowDetails));
}

void CUpdateDlg::RefreshUpdatedTexts() {
  for (std::size_t i = 0; i < CDatabaseUpdate::kComponentCount; ++i) {
    const auto component = static_cast<CDatabaseUpdate::Component>(i);
    m_updatedLabels[i]->setText(Latin1(m_update.LastUpdatedText(component)));
  }
}

CDatabaseUpdate::Selection CUpdateDlg::Checked() const {
  CDatabaseUpdate::Selection checked{};
  for (std::size_t i = 0; i < CDatabaseUpdate::kComponentCount; ++i) {
    checked[i] = m_boxes[i]->isChecked();
  }
  return checked;
}

void CUpdateDlg::SetControlsEnabled(bool enabled) {
  for (QCheckBox* box : m_boxes) {
    box->setEnabled(enabled);
  }
  m_retrieve->setEnabled(enabled);
}

bool CUpdateDlg::WorkerRunning() const {
  return m_worker != nullptr && m_worker->isRunning();
}

void CUpdateDlg::OnRetrieve() {
  const CDatabaseUpdate::Selection checked = Checked();
  if (!checked[0] && !checked[1] && !checked[2]) {
    m_messages.Warn(kNoComponent);
    return;
  }
  m_directory = ToLatin1(m_directoryField->text().left(kDirectoryChars));
  if (m_directory.empty()) {
    if (!m_detailsShown) {
      ShowDetails(true);
    }
    m_directoryField->setFocus();
    m_messages.Warn(kNoAddress);
    return;
  }
  m_progress->clear();
  StopWorker();
  m_worker = std::make_unique<CFtpThread>(this, m_messages);
  m_worker->SetTimeout(m_timeout);
  ConnectWorker();
  m_worker->start();
}

void CUpdateDlg::ConnectWorker() {
  // A queued report may arrive after its run was stopped; it belongs to a run that is over.
  const auto live = [this, run = m_run] { return run == m_run; };
  CFtpThread* worker = m_worker.get();
  connect(
      worker, &CFtpThread::ready, this,
      [this, live] {
        if (live()) {
          OnReady();
        }
      },
      Qt::QueuedConnection);
  connect(
      worker, &CFtpThread::status, this,
      [this, live](int kind, const std::string& text) {
        if (live()) {
          OnStatus(kind, text);
        }
      },
      Qt::QueuedConnection);
  connect(
      worker, &CFtpThread::loggedOn, this,
      [this, live] {
        if (live()) {
          m_transferInProgress = true;
        }
      },
      Qt::QueuedConnection);
  connect(
      worker, &CFtpThread::transferDone, this,
      [this, live](bool success) {
        if (live()) {
          OnDone(success);
        }
      },
      Qt::QueuedConnection);
}

void CUpdateDlg::OnReady() {
  if (!m_worker) {
    return;
  }
  m_worker->ClearFiles();
  const CDatabaseUpdate::Selection checked = Checked();
  if (checked[CDatabaseUpdate::kTimeZone] && !m_messages.AskYesNo(kTimeZoneWarning)) {
    // Nothing was asked of the server; the idle worker has no reason to stay.
    StopWorker();
    return;
  }
  for (std::size_t i = 0; i < CDatabaseUpdate::kComponentCount; ++i) {
    if (!checked[i]) {
      continue;
    }
    const CDatabaseUpdate::Row& row = CDatabaseUpdate::kRows[i];
    m_worker->AddFile(row.remote, row.temporary, row.label);
  }
  if (checked[CDatabaseUpdate::kTimeZone]) {
    m_worker->AddFile(std::string(CZoneCompanion::kStandardFileName),
                      std::string(CZoneCompanion::kUpdateFileName),
                      CDatabaseUpdate::kCompanionLabel, true);
  }
  m_update.BeginRun(checked);
  SetControlsEnabled(false);
  m_worker->ConnectTo(m_directory);
}

void CUpdateDlg::OnStatus(int kind, const std::string& text) {
  m_progress->setUpdatesEnabled(false);
  if (kind == kStatusReplaceLast && m_progress->count() > 0) {
    delete m_progress->takeItem(m_progress->count() - 1);
  }
  m_progress->addItem(CoreText(text));
  if (kind == kStatusError) {
    m_progress->addItem(tr(kErrorLine));
    m_progress->addItem(tr(kHelpLine));
  }
  m_progress->scrollToBottom();
  m_progress->setUpdatesEnabled(true);
}

void CUpdateDlg::OnDone(bool success) {
  m_update.EndRun(success, m_clock.UtcSeconds());
  RefreshUpdatedTexts();
  m_transferInProgress = false;
  SetControlsEnabled(true);
  // A failed run leaves its worker idle, a successful one has closed it; either way it goes.
  StopWorker();
}

void CUpdateDlg::StopWorker() {
  if (!m_worker) {
    return;
  }
  m_worker->Close();
  m_worker.reset();
  ++m_run;
}

void CUpdateDlg::reject() {
  if (m_transferInProgress) {
    if (!m_messages.AskYesNo(kCancelQuestion)) {
      return;
    }
    m_update.CancelRun();
    StopWorker();
    m_transferInProgress = false;
    QDialog::reject();
    return;
  }
  if (m_update.RestartWanted() && m_messages.AskYesNo(kRestartQuestion)) {
    if (m_requestRestart) {
      m_requestRestart();
    }
    if (QWidget* clock = parentWidget()) {
      QMetaObject::invokeMethod(clock, &QWidget::close, Qt::QueuedConnection);
    }
  }
  QDialog::reject();
}

void CUpdateDlg::done(int result) {
  if (!m_finished) {
    m_finished = true;
    StopWorker();
    m_positions.Remember(this, CDialogPositions::kUpdate);
    g_detailsShownAtClose = m_detailsShown;
    m_update.Finish();
    m_settings.Values().ftpDirectory = ToLatin1(m_directoryField->text());
    m_settings.SaveRecord(m_store);
  }
  QDialog::done(result);
}

}  // namespace zw

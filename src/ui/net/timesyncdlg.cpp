// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/net/timesyncdlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <mutex>

#include "net/timesync.h"
#include "net/timesynclistener.h"
#include "platform/posixclocksetter.h"
#include "settings/desktopprefs.h"
#include "timecore/systemclock.h"
#include "ui/platform/coretext.h"
#include "ui/platform/timedatedclocksetter.h"
#include "ui/widgets/dialogpositions.h"

namespace zw {

namespace {

constexpr int kReportWidth = 300;
constexpr int kReportLines = 5;

}  // namespace

// What the workers see of the dialog: whether it is still open, and a way to hand it a
// report. Once the dialog starts closing nothing more reaches it.
class CTimeSyncDlg::Link final : public ITimeSyncListener {
 public:
  explicit Link(CTimeSyncDlg* dialog) : m_dialog(dialog) {}

  void Close() {
    const std::lock_guard lock(m_mutex);
    m_dialog = nullptr;
  }
  bool DialogOpen() const override {
    const std::lock_guard lock(m_mutex);
    return m_dialog != nullptr;
  }
  void Report(const std::string& text) override {
    const std::lock_guard lock(m_mutex);
    if (m_dialog != nullptr) {
      emit m_dialog->reportArrived(text);
    }
  }

 private:
  mutable std::mutex m_mutex;
  CTimeSyncDlg* m_dialog;
};

CTimeSyncDlg::CTimeSyncDlg(const AppContext& context, const IClockSource& clock,
                           ISystemClockSetter& setter, std::string server, QWidget* parent)
    : QDialog(parent),
      m_clock(clock),
      m_setter(setter),
      m_server(std::move(server)),
      m_positions(context.positions),
      m_timeout(CTimeSync::kDefaultTimeout),
      m_link(std::make_unique<Link>(this)) {
  setWindowTitle(tr(kTitle));
  auto* explanation = new QLabel(Explanation(m_server), this);
  explanation->setWordWrap(true);
  m_reportField = new QLabel(this);
  m_reportField->setTextFormat(Qt::PlainText);
  m_reportField->setWordWrap(true);
  m_reportField->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_reportField->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_reportField->setFixedSize(kReportWidth, m_reportField->fontMetrics().height() * kReportLines);
  m_serverField = new QLineEdit(QString::fromStdString(m_server), this);
  m_serverField->setMaxLength(static_cast<int>(CDesktopPrefsFile::kMaxAddressBytes));
  m_serverField->setPlaceholderText(tr("ntp:host or daytime:host, with :port if not the usual"));
  m_synchronize = new QPushButton(tr(kSynchronizeText), this);
  m_synchronize->setAutoDefault(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addWidget(m_reportField);
  layout->addWidget(m_serverField);
  layout->addWidget(m_synchronize, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(m_synchronize, &QPushButton::clicked, this, &CTimeSyncDlg::OnSynchronize);
  connect(this, &CTimeSyncDlg::reportArrived, this, &CTimeSyncDlg::AppendReport,
          Qt::QueuedConnection);
  m_positions.Place(this, CDialogPositions::kTimeSync);
}

CTimeSyncDlg::~CTimeSyncDlg() {
  m_link->Close();
  m_workers.clear();
}

QString CTimeSyncDlg::Explanation(const std::string& server) {
  // The default host is the government's by either protocol.
  if (CTimeSync::HostOf(server) == CTimeSync::HostOf(CTimeSync::kDefaultServer)) {
    return tr(kExplanation);
  }
  return tr("Use this panel to synchronize your computer's time with the time provided by the "
            "Internet time server %1.")
      .arg(Latin1(server));
}

void CTimeSyncDlg::Run(const AppContext& context, QWidget* parent) {
  const CSystemClock clock;
  CPosixClockSetter direct;
  CTimedatedClockSetter setter(direct);
  const std::string server = CTimeSync::ServerFromEnvironment(
      CDesktopPrefsFile(CDesktopPrefsFile::DefaultPath()).Load().timeServer);
  CTimeSyncDlg dialog(context, clock, setter, server, parent);
  dialog.exec();
  Remember(dialog.ServerField()->text().trimmed().toStdString(), server);
}

bool CTimeSyncDlg::Remember(const std::string& typed, const std::string& asked) {
  // The environment's choice is the session's, not the user's lasting one.
  if (typed == asked || !CTimeSync::Parse(typed) ||
      std::getenv(CTimeSync::kServerVariable) != nullptr) {
    return false;
  }
  CDesktopPrefsFile file(CDesktopPrefsFile::DefaultPath());
  DesktopPrefs prefs = file.Load();
  prefs.timeServer = typed;
  return file.Save(prefs);
}

void CTimeSyncDlg::OnSynchronize() {
  m_server = m_serverField->text().trimmed().toStdString();
  m_report = kConnecting;
  m_shownReport = CoreText(m_report);
  ShowReport();
  m_workers.emplace_back([&clock = m_clock, &setter = m_setter, link = m_link.get(),
                          server = m_server, timeout = m_timeout] {
    CTimeSync sync(clock, setter, *link);
    sync.SetTimeout(timeout);
    sync.Run(server);
  });
}

void CTimeSyncDlg::AppendReport(const std::string& text) {
  m_report += text;
  m_shownReport += CoreText(text);
  ShowReport();
}

void CTimeSyncDlg::ShowReport() {
  QString text = m_shownReport;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  m_reportField->setText(text);
}

void CTimeSyncDlg::done(int result) {
  // From here on the workers drop their reports and leave the clock as it is.
  m_link->Close();
  m_positions.Remember(this, CDialogPositions::kTimeSync);
  QDialog::done(result);
}

}  // namespace zw

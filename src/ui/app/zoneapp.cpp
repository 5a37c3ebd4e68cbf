// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/zoneapp.h"

#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>

#include "settings/datadirectory.h"
#include "settings/hourswitch.h"
#include "settings/userdirectories.h"
#include "timecore/now.h"
#include "ui/app/helprouter.h"
#include "ui/app/localedefaults.h"
#include "ui/app/singleinstance.h"
#include "ui/app/splashwnd.h"
#include "ui/app/welcomedlg.h"
#include "ui/clock/clockactions.h"
#include "ui/clock/clocktray.h"
#include "ui/clock/clockwnd.h"
#include "ui/clock/desktoppage.h"
#include "ui/clock/propertysheet.h"
#include "ui/convert/currencydlg.h"
#include "ui/convert/measuredlg.h"
#include "ui/events/eventlistdlg.h"
#include "ui/events/scheduledlg.h"
#include "ui/locations/comparetimedlg.h"
#include "ui/locations/locationlistdlg.h"
#include "ui/net/timesyncdlg.h"
#include "ui/net/updatedlg.h"
#include "ui/platform/latin1.h"

namespace zw {

namespace {

// Only the copy installed with the program, wherever the program was installed or moved to.
std::vector<std::string> SuppliedDataSources() {
  const QString besideProgram = QCoreApplication::applicationDirPath() + "/../share/zonewright";
  return {besideProgram.toStdString()};
}

}  // namespace

CZoneApp::CZoneApp()
    : m_instance(std::make_unique<CSingleInstance>()),
      m_store(std::make_unique<CFileSettingsStore>(m_files, CUserDirectories::Config())),
      m_help(std::make_unique<CHelpRouter>()) {
  QCoreApplication::instance()->installEventFilter(m_help.get());
}

CZoneApp::~CZoneApp() = default;

bool CZoneApp::InitInstance(const QStringList& arguments) {
  m_restart = false;
  if (!m_instance->Acquire()) {
    return false;
  }
  CSplashWnd splash;
  splash.show();
  QCoreApplication::processEvents();
  // A message box at start would open behind the splash, which stays on top, and the program
  // would look frozen.
  m_messages.SetBeforeBox([&splash] { splash.close(); });
  const auto noSplash = qScopeGuard([this] { m_messages.SetBeforeBox({}); });

  m_settings.ResetToDefaults();
  ApplyLocaleDefaults(m_settings.Values(), QLocale::system());
  ApplyHourSwitch(arguments);
  m_store->AdoptFrom(CUserDirectories::LegacyConfig(),
                     {CClockSettings::kRecordName, CClockSettings::kInstanceName});
  m_settings.Load(*m_store);
  m_prefs = m_prefsFile.Load();
  if (!EnterDataDirectory()) {
    return false;
  }
  const bool loaded = m_db.Load(m_files, m_messages, [&splash] {
    splash.Step();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  });
  splash.close();
  if (!loaded) {
    return false;
  }
  CreateClock();
  return true;
}

void CZoneApp::ApplyHourSwitch(const QStringList& arguments) {
  bool invalid = false;
  const int hours = CHourSwitch::Parse(arguments.mid(1).join(' ').toStdString(), invalid);
  if (invalid) {
    m_messages.Warn(std::string(CHourSwitch::kInvalidMessage));
  }
  CNow::SetHourAdjustment(hours);
}

bool CZoneApp::EnterDataDirectory() {
  const std::string directory = CDataDirectory::Choose();
  if (CDataDirectory::Enter(directory, SuppliedDataSources(), m_files, m_messages)) {
    return true;
  }
  m_messages.Warn(Latin1Bytes(
      tr("Cannot use the data directory \"%1\".").arg(QFile::decodeName(directory.c_str()))));
  return false;
}

void CZoneApp::CreateClock() {
  m_clock = std::make_unique<CClockWnd>(ClockServices{m_settings, *m_store, m_db});
  m_messages.SetParent(m_clock.get());
  m_actions.SetOwner(m_clock.get());
  CreateTray();
  ApplyDesktopPrefs();
  m_alarms.RememberSnoozeIn(*m_store);
  m_alarms.Load();
  m_alarms.WatchSleepOn(QDBusConnection::systemBus());
  m_alarms.Start();
  // Nothing fires once the clock is gone and the program is on its way out.
  connect(m_clock.get(), &CClockWnd::closed, &m_alarms, &CAlarmService::Stop);
  if (!m_settings.Values().hideWelcome) {
    CWelcomeDlg welcome;
    welcome.exec();
    m_settings.Values().hideWelcome = welcome.HideFromNowOn();
  }
  CClockSettings::SaveInstanceRecord(*m_store, "CClockWnd", "Zonewright");
  connect(m_clock.get(), &CClockWnd::helpRequested, this, &CZoneApp::ShowHelp);
  m_positions.SetClock(m_clock.get());
  PlugInDialogs();
  connect(m_clock.get(), &CClockWnd::moved, this, [this] { m_positions.ForgetNearClock(); });
  connect(m_instance.get(), &CSingleInstance::activationRequested, m_clock.get(),
          &CClockWnd::Present);
  m_clock->show();
  m_clock->raise();
  m_clock->activateWindow();
}

void CZoneApp::PlugInDialogs() {
  const ClockActions& actions = m_clock->Actions();
  connect(actions.addChange, &QAction::triggered, this, [this] {
    CLocationListDlg dialog(
        m_context, &m_alarms.Events(),
        [this] {
          m_clock->RequestRelayout();
          m_clock->SaveSettings();
        },
        m_clock.get());
    connect(m_clock.get(), &CClockWnd::ticked, &dialog, &CLocationListDlg::OnTick);
    dialog.exec();
  });
  connect(actions.setEvents, &QAction::triggered, this, [this] {
    CEventListDlg dialog(m_context, m_clock.get());
    dialog.exec();
  });
  connect(actions.browseSchedule, &QAction::triggered, this,
          [this] { CScheduleDlg::Run(m_context, m_clock.get()); });
  connect(actions.currency, &QAction::triggered, this,
          [this] { CCurrencyDlg::Run(m_context, m_clock.get()); });
  connect(actions.measurement, &QAction::triggered, this,
          [this] { CMeasureDlg::Run(m_context, m_clock.get()); });
  connect(actions.updateDatabase, &QAction::triggered, this, [this] {
    CUpdateDlg::Run(
        m_context, [this] { RequestRestart(); }, m_clock.get());
  });
  connect(actions.synchronizeTime, &QAction::triggered, this,
          [this] { CTimeSyncDlg::Run(m_context, m_clock.get()); });
  connect(actions.properties, &QAction::triggered, this, &CZoneApp::ShowProperties);
  connect(actions.compareTimes, &QAction::triggered, this,
          [this] { CCompareTimeDlg::Run(m_context, m_clock.get()); });
}

void CZoneApp::CreateTray() {
  if (!CClockTray::Available()) {
    return;
  }
  m_tray = std::make_unique<CClockTray>(*m_clock, m_db);
  m_tray->Show();
}

void CZoneApp::ApplyDesktopPrefs() {
  m_alarms.Monitor().SetAlertStyle(m_prefs.alerts);
  // Without a tray icon a hidden clock could never be brought back.
  m_clock->SetHideOnClose(m_prefs.closeToTray && m_tray != nullptr);
  m_clock->SetMarkChanges(m_prefs.markChanges);
}

void CZoneApp::ShowProperties() {
  const DesktopServices desktop{
      m_prefs,           m_prefsFile,
      m_autostart,       QCoreApplication::applicationFilePath().toStdString(),
      m_tray != nullptr, [this] { ApplyDesktopPrefs(); }};
  CPropertySheet::Run(m_context, *m_clock, &desktop);
}

void CZoneApp::ShowHelp() {
  m_help->Show(QStringLiteral("index.html"), m_clock.get());
}

int CZoneApp::ExitInstance(int exitCode) {
  m_alarms.Stop();
  m_tray.reset();
  m_clock.reset();
  m_instance->Release();
  if (m_restart) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
  }
  return exitCode;
}

}  // namespace zw

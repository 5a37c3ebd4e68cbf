// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>
#include <array>
#include <memory>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/autostart.h"
#include "settings/clocksettings.h"
#include "settings/desktopprefs.h"
#include "settings/filesettingsstore.h"
#include "settings/placement.h"
#include "settings/userdirectories.h"
#include "ui/events/alarmservice.h"
#include "ui/platform/qtalarmactions.h"
#include "ui/platform/qtmessagesink.h"
#include "ui/widgets/appcontext.h"
#include "ui/widgets/dialogpositions.h"

class QWidget;

namespace zw {

class CClockTray;
class CClockWnd;
class CHelpRouter;
class CSingleInstance;

// The program itself: makes sure only one copy runs, reads the settings, enters the data
// directory, loads the locations while the splash shows, and brings up the clock.
class CZoneApp : public QObject {
  Q_OBJECT

 public:
  CZoneApp();
  ~CZoneApp() override;

  // False when the program should end at once: another copy runs, or the database did not
  // load (its loader has said why).
  bool InitInstance(const QStringList& arguments);
  // Gives up the single-instance lock and, when asked for, starts the program again.
  int ExitInstance(int exitCode);

  CClockSettings& Settings() { return m_settings; }
  CLocationDB& Database() { return m_db; }
  CClockWnd* Clock() const { return m_clock.get(); }
  IMessageSink& Messages() { return m_messages; }
  IFileLayer& Files() { return m_files; }
  ISettingsStore& Store() { return *m_store; }
  CAlarmService& Alarms() { return m_alarms; }

  void RequestRestart() { m_restart = true; }
  bool RestartRequested() const { return m_restart; }

  CDialogPositions& Positions() { return m_positions; }
  const AppContext& Context() const { return m_context; }

 private:
  void ApplyHourSwitch(const QStringList& arguments);
  bool EnterDataDirectory();
  bool LoadDatabase();
  void CreateClock();
  void PlugInDialogs();
  void ShowHelp();
  void ShowProperties();
  // The tray icon where the desktop has a tray.
  void CreateTray();
  // The desktop choices taken up by the alarms and the clock window.
  void ApplyDesktopPrefs();

  std::unique_ptr<CSingleInstance> m_instance;
  CClockSettings m_settings;
  CPosixFileLayer m_files;
  std::unique_ptr<CFileSettingsStore> m_store;
  CQtMessageSink m_messages;
  CQtAlarmActions m_actions;
  CLocationDB m_db;
  CAlarmService m_alarms{m_settings, m_db,      m_files,
                         m_messages, m_actions, CUserDirectories::State()};
  std::unique_ptr<CClockWnd> m_clock;
  std::unique_ptr<CClockTray> m_tray;
  CDesktopPrefsFile m_prefsFile{CDesktopPrefsFile::DefaultPath()};
  DesktopPrefs m_prefs;
  CAutostart m_autostart{CAutostart::DefaultPath()};
  std::unique_ptr<CHelpRouter> m_help;
  CDialogPositions m_positions;
  AppContext m_context{m_db, m_settings, *m_store, m_files, m_messages, m_alarms, m_positions};
  bool m_restart = false;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "events/alarmactions.h"
#include "events/alarmmonitor.h"
#include "events/eventlist.h"
#include "events/programlog.h"

class QTimer;

namespace zw {

class CMissedWnd;
class CWallClockNotifier;
class CClockSettings;
class CLocationDB;
class IFileLayer;
class IMessageSink;
class ISettingsStore;

// The program's events and what makes them fire: the event list, the monitor that tests it
// once a second on a timer of its own, and the log of started programs. Alarms act through
// the actions given; when an alarm takes an event away, eventsChanged() tells the open lists.
// Occurrences that pass unseen (before the start, in a sleep, behind a jump of the clock) go
// to one "Missed while away" window instead of a box each; the instant last seen is kept in
// CLastSeenFile::kFileName in the current directory, beside the event file.
class CAlarmService : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kPollInterval{250};

  // All references must outlive the service. Nothing is loaded and the timer is still. A log
  // file name without a directory is kept in `logDirectory` (empty: the current directory).
  CAlarmService(const CClockSettings& settings, CLocationDB& db, IFileLayer& files,
                IMessageSink& messages, IAlarmActions& actions, std::string logDirectory = {},
                QObject* parent = nullptr);
  ~CAlarmService() override;

  // The value of the settings store that keeps the last snooze chosen.
  static constexpr const char* kSnoozeSetting = "SnoozeMinutes";

  // Offers the snooze last chosen in `store` first and keeps each new choice there; the
  // store must outlive the service.
  void RememberSnoozeIn(ISettingsStore& store);

  // Seconds between saves of the instant last seen while the program runs.
  static constexpr int kSeenSaveSeconds = 60;
  // A poll that finds the wall clock this much further on than the last one saw a jump.
  static constexpr int kJumpSeconds = 2;

  // Reads the event file, whose failures go to the message sink, the instant last seen, and
  // brings back the alarms snoozed when the program last stopped.
  void Load();
  // Saves the event file; its failures go to the message sink.
  void Save();
  // Looks for missed occurrences, then the due test from now on, whenever the second
  // changes; a jump of the wall clock, a tick that comes late and a resume each look for
  // missed occurrences again.
  void Start();
  // Stops the timer and keeps the instant last seen.
  void Stop();
  // Hears of sleep and resume from logind on `bus` (the system bus in the program).
  void WatchSleepOn(const QDBusConnection& bus);

  // Gathers the occurrences missed since the instant last seen into the window, which opens
  // when there are any; those to run late are run.
  void CheckMissed();
  // The window of missed occurrences, null until there were some.
  CMissedWnd* MissedWindow() const { return m_missedWnd.get(); }

  // One due test at "now"; a due alarm is handled once control is back in the event loop, so
  // its boxes never open inside whoever called.
  void CheckDue();

  CEventList& Events() { return m_events; }
  const CEventList& Events() const { return m_events; }
  CAlarmMonitor& Monitor() { return m_monitor; }

 signals:
  // Events were added or removed behind an open list's back.
  void eventsChanged();

 private:
  // The actions given, with a list refresh that also reaches the service's listeners.
  class Relay final : public IAlarmActions {
   public:
    Relay(CAlarmService& service, IAlarmActions& actions)
        : m_service(service), m_actions(actions) {}
    void ShowMessage(const std::string& text) override { m_actions.ShowMessage(text); }
    int ShowAlarm(const std::string& text, int snoozeMinutes) override {
      return m_actions.ShowAlarm(text, snoozeMinutes);
    }
    bool AskYesNo(const std::string& text) override { return m_actions.AskYesNo(text); }
    void StartWavLoop(const std::string& file, int playCount) override {
      m_actions.StartWavLoop(file, playCount);
    }
    void OpenMovie(const std::string& file) override { m_actions.OpenMovie(file); }
    bool StartProcess(const std::string& commandLine, const std::string& directory,
                      std::string& reason) override {
      return m_actions.StartProcess(commandLine, directory, reason);
    }
    void ShowErrorAsync(const std::string& text) override { m_actions.ShowErrorAsync(text); }
    bool Notify(const AlarmNotice& notice) override { return m_actions.Notify(notice); }
    void RefreshEventLists() override;

   private:
    CAlarmService& m_service;
    IAlarmActions& m_actions;
  };

  void OnTimer();
  void WatchWallClock();
  // The due test watched up to `gmt`; kept on disk every kSeenSaveSeconds or when `now`.
  void Seen(const CDateTime& gmt, bool now);

  const CClockSettings& m_settings;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  Relay m_relay;
  CProgramLog m_log;
  CEventList m_events;
  CAlarmMonitor m_monitor;
  QTimer* m_timer;
  std::int64_t m_lastSecond = -1;
  CLastSeenFile m_seenFile;
  std::optional<CDateTime> m_lastSeen;
  std::int64_t m_lastSaved = -1;
  CWallClockNotifier* m_wallClock = nullptr;
  std::unique_ptr<CMissedWnd> m_missedWnd;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "events/alarmactions.h"
#include "events/missedevents.h"
#include "settings/desktopprefs.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CEvent;
class CEventList;
class CEventSchedule;
class IAlarmActions;
class IFileLayer;
class IMessageSink;

// Decides once a second which events are due and carries out the actions of one alarm at a
// time. Due tests are made in each event location's wall-clock time, so an event follows its
// location's daylight saving, whatever the computer's own zone.
class CAlarmMonitor {
 public:
  static constexpr std::string_view kLateNotice = "** LATE NOTIFICATION **\r\n\r\n";
  static constexpr std::string_view kRunFilePrefix = "Run file ";
  static constexpr std::string_view kRunFileSuffix = " ?";
  static constexpr std::string_view kRunErrorPrefix = "Error running program \"";
  static constexpr std::string_view kRunErrorSuffix = "\".";
  // An alarm found due more than this after its due instant is late.
  static constexpr int kLateAfterSeconds = 120;
  static constexpr std::chrono::milliseconds kPlayPause{200};
  static constexpr int kMaxPlayCount = 999;

  // The minutes an alarm can be snoozed for.
  static constexpr std::array<int, 5> kSnoozeChoices{5, 10, 15, 30, 60};
  static constexpr int kDefaultSnooze = 10;

  // Called after every attempt to start an event's program, with its outcome.
  using StartLogger = std::function<void(const CEventSchedule&, bool success)>;

  CAlarmMonitor(CEventList& list, IAlarmActions& actions, IFileLayer& files, IMessageSink& messages,
                StartLogger logStart);

  // One tick. Judges whether an occurrence is late when it is first found due (more than
  // kLateAfterSeconds after its due instant: the program was not running or the computer
  // slept), so waiting behind another alarm's box never makes it late. When no alarm is
  // being handled, reschedules the first due one from its local time plus one hour and makes
  // it current. Returns the new current alarm (the caller posts the alarm message), else
  // null.
  CEventSchedule* DueTest(const CDateTime& gmtNow);
  CEventSchedule* CurrentAlarm() const { return m_current; }

  // The occurrences missed since `lastSeen` (see CMissedEvents), taken off the schedules so
  // that the due test raises no box for them: each such event is scheduled again from the late
  // limit, a one-time one is removed and the event file saved. Those to run late are run.
  std::vector<MissedOccurrence> TakeMissed(const std::optional<CDateTime>& lastSeen,
                                           const CDateTime& gmtNow);
  // The actions of a missed occurrence, late: its sound or movie and its program. Its message
  // is shown by whoever lists the missed occurrences.
  void RunLate(const MissedOccurrence& occurrence);

  // Whether an alarm's message goes to its box, a desktop notification or both, and how the
  // notification writes the time.
  void SetAlertStyle(AlertStyle style) { m_style = style; }
  AlertStyle GetAlertStyle() const { return m_style; }
  void SetDisplay(const DisplayOptions& display) { m_display = display; }

  // The minutes the box and the notification offer first; anything not among
  // kSnoozeChoices is ignored. Each snooze chosen becomes the next offer and is told to the
  // listener, so that the choice can outlive the run.
  void SetSnoozeMinutes(int minutes);
  int SnoozeMinutes() const { return m_snoozeMinutes; }
  void SetSnoozeListener(std::function<void(int minutes)> listener) {
    m_snoozeListener = std::move(listener);
  }
  // Brings the alarm of `alarm` back `minutes` after `gmtNow`: its sound and message, as the
  // alert style says, but not its program. The alarm comes again as a copy of the event, so
  // the event's own schedule is untouched and a one-time event may go meanwhile.
  void Snooze(const CEvent& alarm, int minutes, const CDateTime& gmtNow);
  std::size_t SnoozedCount() const { return m_snoozed.size(); }
  // Brings back the alarms snoozed in the file at `path` (a CSnoozeFile) and keeps every
  // later snooze there, so a snooze outlives quitting the program. An alarm stays in the file
  // until it has rung. A file that cannot be read is left as it is and nothing is kept. Only
  // the first call that finds its file readable counts.
  void KeepSnoozesIn(std::string path);

  // Carries out the current alarm: media, program, message; removes a one-time event and
  // saves the event file. Late alarms of events that do not want them are dropped quietly.
  void HandleAlarm();

  // Starts the event's program, logs the attempt and reports a failure on its own thread.
  void StartProgram(const CEventSchedule& schedule);

  // "Error running program "<command>"." and the system's reason, when there is one.
  static std::string RunErrorText(const std::string& command, const std::string& reason);

  // The text of the alarm's message box.
  static std::string MessageText(const CEventSchedule& schedule);
  // The desktop notification of an alarm: its name, then its place and the time there at
  // `gmtNow`, then its message with '\n' line ends.
  static AlarmNotice NoticeOf(const CEventSchedule& schedule, const CDateTime& gmtNow,
                              const DisplayOptions& display);

  // Set to false when an alarm's sound starts, to true once its message box is closed.
  static std::atomic<bool>& MediaStopFlag();

  // The body of a sound thread: up to `playCount` passes, each a pause, then one whole
  // playing of the file unless `stop` has been set meanwhile.
  static void PlayLoop(const std::string& file, int playCount, const std::atomic<bool>& stop,
                       const std::function<void(const std::string&)>& playOnce,
                       const std::function<void(std::chrono::milliseconds)>& pause);

 private:
  struct Snoozed {
    std::unique_ptr<CEvent> alarm;
    std::unique_ptr<CEventSchedule> schedule;
    CDateTime gmtDue;
  };

  // A snoozed alarm whose time has come, made current; null when none.
  CEventSchedule* DueSnooze(const CDateTime& gmtNow);
  void HandleSnoozed();
  void SaveSnoozes();
  // The message and notification of an alarm, with the snooze they offer.
  void Present(const CEventSchedule& schedule, bool soundPlaying);
  void RemoveEvent(CEventSchedule* schedule);
  // True when a sound started.
  bool StartMedia(const CEventSchedule& schedule);
  // Raises the notification when the style asks for one; true when it was shown.
  bool Notify(const CEventSchedule& schedule, bool soundPlaying, bool boxFollows);
  bool StillListed(const CEventSchedule* schedule) const;

  CEventList& m_list;
  IAlarmActions& m_actions;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  StartLogger m_logStart;
  CEventSchedule* m_current = nullptr;
  AlertStyle m_style = AlertStyle::kBox;
  DisplayOptions m_display;
  // The events found due while another alarm was being handled, with the due instant they
  // wait for: their late flag was settled when they were first found.
  std::map<const CEventSchedule*, CDateTime> m_waiting;
  int m_snoozeMinutes = kDefaultSnooze;
  std::function<void(int)> m_snoozeListener;
  std::vector<Snoozed> m_snoozed;
  // The snoozed alarm being handled; m_current points at its schedule meanwhile.
  std::unique_ptr<Snoozed> m_ringing;
  // Where the snoozes are kept; empty while they are not.
  std::string m_snoozePath;
  // Notifications that offer a snooze may answer after the monitor is gone.
  std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

}  // namespace zw

#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "events/alarmactions.h"
#include "settings/desktopprefs.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

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

  // Whether an alarm's message goes to its box, a desktop notification or both, and how the
  // notification writes the time.
  void SetAlertStyle(AlertStyle style) { m_style = style; }
  AlertStyle GetAlertStyle() const { return m_style; }
  void SetDisplay(const DisplayOptions& display) { m_display = display; }

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
};

}  // namespace zw

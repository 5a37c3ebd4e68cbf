// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace zw {

// What a desktop notification of an alarm says. Texts are stored single-byte (Latin-1).
struct AlarmNotice {
  std::string summary;  // the event's name
  std::string body;     // its place and time there, then its message
  // The alarm's sound is playing: the notification offers to stop it.
  bool soundPlaying = false;
  // The program's own box shows the alarm as well.
  bool boxFollows = false;
  // Set where the notification stands alone: it offers to bring the alarm back after
  // snoozeMinutes, and calls this with them when the user asks.
  std::function<void(int minutes)> snooze;
  int snoozeMinutes = 0;
};

// What a firing alarm does to the world outside the core. The windowed program shows real
// boxes, plays sound and video and starts processes; tests record the calls.
class IAlarmActions {
 public:
  virtual ~IAlarmActions() = default;
  // A system-modal box with an OK button; returns when it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
  // The alarm's own box, which offers to snooze for a choice of minutes (`snoozeMinutes`
  // first) besides dismissing; returns the minutes chosen, or 0 for Dismiss.
  virtual int ShowAlarm(const std::string& text, int /*snoozeMinutes*/) {
    ShowMessage(text);
    return 0;
  }
  // A system-modal Yes/No question; true on Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // Starts a thread that runs CAlarmMonitor::PlayLoop with the real play call.
  virtual void StartWavLoop(const std::string& file, int playCount) = 0;
  // Opens a movie window of its own that starts playing at once.
  virtual void OpenMovie(const std::string& file) = 0;
  // Starts a program without a shell; false when it could not be started, with the system's
  // reason (Latin-1, may be empty) in `reason`.
  virtual bool StartProcess(const std::string& commandLine, const std::string& directory,
                            std::string& reason) = 0;
  // Shows a warning on a thread of its own, so the caller carries on at once.
  virtual void ShowErrorAsync(const std::string& text) = 0;
  // Raises a desktop notification; false when there is nobody to show it, and the box must
  // stand in for it. Programs without a desktop have none.
  virtual bool Notify(const AlarmNotice& /*notice*/) { return false; }
  // An event disappeared: open lists of events must be rebuilt.
  virtual void RefreshEventLists() = 0;
};

}  // namespace zw

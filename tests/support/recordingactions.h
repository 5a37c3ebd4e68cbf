// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "events/alarmactions.h"

namespace zw::test {

// Records what an alarm did; questions take scripted answers (No once the script runs out),
// and each box can run a hook while it is "open", as a nested event loop would.
class RecordingActions final : public IAlarmActions {
 public:
  struct Call {
    // "message", "ask", "wav", "movie", "start", "error", "refresh", "notify"
    std::string what;
    std::string text;
    std::string extra;
  };

  void ShowMessage(const std::string& text) override {
    m_calls.push_back({"message", text, {}});
    RunBoxHook();
  }
  // The box answers with the snooze minutes scripted, Dismiss once the script runs out.
  int ShowAlarm(const std::string& text, int snoozeMinutes) override {
    m_offered = snoozeMinutes;
    ShowMessage(text);
    if (m_snoozes.empty()) {
      return 0;
    }
    const int minutes = m_snoozes.front();
    m_snoozes.pop_front();
    return minutes;
  }
  bool AskYesNo(const std::string& text) override {
    m_calls.push_back({"ask", text, {}});
    RunBoxHook();
    if (m_answers.empty()) {
      return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
  }
  void StartWavLoop(const std::string& file, int playCount) override {
    m_calls.push_back({"wav", file, std::to_string(playCount)});
  }
  void OpenMovie(const std::string& file) override { m_calls.push_back({"movie", file, {}}); }
  bool StartProcess(const std::string& commandLine, const std::string& directory,
                    std::string&) override {
    m_calls.push_back({"start", commandLine, directory});
    return m_processStarts;
  }
  void ShowErrorAsync(const std::string& text) override { m_calls.push_back({"error", text, {}}); }
  // A notification: its summary and body, then "sound" and "box" for its flags.
  bool Notify(const AlarmNotice& notice) override {
    m_calls.push_back(
        {"notify", notice.summary + "|" + notice.body,
         std::string(notice.soundPlaying ? "sound" : "") + (notice.boxFollows ? "box" : "")});
    m_notice = notice;
    return m_notificationServer;
  }
  void RefreshEventLists() override {
    m_calls.push_back({"refresh", {}, {}});
    if (m_refresh) {
      m_refresh();
    }
  }

  void Answer(bool yes) { m_answers.push_back(yes); }
  void AnswerSnooze(int minutes) { m_snoozes.push_back(minutes); }
  // The minutes the last box offered first.
  int OfferedSnooze() const { return m_offered; }
  const AlarmNotice& LastNotice() const { return m_notice; }
  void SetProcessStarts(bool starts) { m_processStarts = starts; }
  // Whether notifications find a server to show them.
  void SetNotificationServer(bool present) { m_notificationServer = present; }
  void SetBoxHook(std::function<void()> hook) { m_boxHook = std::move(hook); }
  void SetRefreshHandler(std::function<void()> refresh) { m_refresh = std::move(refresh); }

  const std::vector<Call>& Calls() const { return m_calls; }
  std::vector<std::string> Kinds() const {
    std::vector<std::string> kinds;
    for (const Call& c : m_calls) {
      kinds.push_back(c.what);
    }
    return kinds;
  }
  void Clear() { m_calls.clear(); }

 private:
  void RunBoxHook() {
    if (m_boxHook) {
      m_boxHook();
    }
  }

  std::vector<Call> m_calls;
  std::deque<bool> m_answers;
  std::deque<int> m_snoozes;
  int m_offered = 0;
  AlarmNotice m_notice;
  bool m_processStarts = true;
  bool m_notificationServer = false;
  std::function<void()> m_boxHook;
  std::function<void()> m_refresh;
};

}  // namespace zw::test

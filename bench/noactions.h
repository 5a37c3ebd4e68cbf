// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "events/alarmactions.h"

namespace zw::bench {

// Benchmarks time the schedules, never what an alarm does: nothing acts.
class NoActions final : public IAlarmActions {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void StartWavLoop(const std::string&, int) override {}
  void OpenMovie(const std::string&) override {}
  bool StartProcess(const std::string&, const std::string&, std::string&) override { return false; }
  void ShowErrorAsync(const std::string&) override {}
  void RefreshEventLists() override {}
};

}  // namespace zw::bench

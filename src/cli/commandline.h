// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

// What one run of zw was asked to do. Texts that name locations, currencies or units are
// already Latin-1, the encoding of the data files.
struct Invocation {
  enum class Command { kNone, kNow, kAt, kCompare, kFind, kEvents, kConvert, kChanges, kPlan };

  Command command = Command::kNone;
  // The words after the command, less the WHEN of "at".
  std::vector<std::string> arguments;
  bool help = false;
  bool version = false;
  bool json = false;
  std::optional<std::string> dataDir;
  std::optional<bool> hour24;
  std::optional<int> dateOrder;
  std::optional<bool> showSeconds;
  // Moments are read as GMT, or as the wall-clock time of `in`.
  bool gmt = false;
  std::optional<std::string> in;
  // WHEN of "at", or --at of "compare".
  std::optional<CDateTime> when;
  std::optional<int> days;
  std::optional<std::string> basis;
  std::optional<CDateTime> from;
  // events: one line per event instead of its occurrences, or the events as iCalendar, or
  // the occurrences that passed unseen.
  bool list = false;
  bool ics = false;
  bool missed = false;
  // now: each location's next offset change as well.
  bool changes = false;

  // The display choices of the settings record with this run's overrides.
  DisplayOptions Apply(DisplayOptions options) const;
};

// Reads the argument words. Options may stand anywhere; "--" ends them, and a word such as
// "-40" is an amount, not an option. Every mistake throws CCliError(kUsage) with a one-line
// message.
class CCommandLine {
 public:
  static constexpr int kMaxDays = 999;

  static Invocation Parse(const std::vector<std::string>& words);

  static std::string_view Usage();
  static std::string_view Help();
  static std::string_view Version();

 private:
  explicit CCommandLine(Invocation& invocation) : m_invocation(invocation) {}

  void Read(const std::vector<std::string>& words);
  // Returns how many further words the option took as its value.
  std::size_t Option(std::string_view word, const std::string* next);
  void Flag(std::string_view name);
  void ValueOption(std::string_view name, const std::string& value);
  void Positional(const std::string& word);
  void Check();
  void CheckOptionsApply() const;
  void CheckAt();
  void CheckCompare() const;
  void CheckPlan();
  void CheckCount(std::size_t least, std::size_t most) const;

  Invocation& m_invocation;
  std::string m_commandWord;
  std::vector<std::string> m_seen;
};

}  // namespace zw

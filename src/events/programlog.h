// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

class CEventSchedule;
class CClockSettings;
class CLocation;
class CLocationDB;
class IAlarmActions;
class IFileLayer;

// The log of started programs: one line per attempt to start an event's program, saying
// when (in the chosen time basis and at the event's location), where, whether it worked, and
// what was run in which directory. Nothing is logged while the settings' logOption ("Record
// Started Programs in the Log File") is off.
class CProgramLog {
 public:
  static constexpr std::string_view kLocalTime = " (local time)  ";
  static constexpr std::string_view kGmtTime = " (GMT time)  ";
  static constexpr std::string_view kStarted = ")  Successfully started program \"";
  static constexpr std::string_view kNotStarted = ")  ERROR starting program \"";
  static constexpr std::string_view kInDirectory = "\" in directory \"";
  static constexpr std::string_view kLineEnd = "\"\r\n";

  static constexpr std::string_view kOpenFailed = "Error opening log file \"";
  static constexpr std::string_view kWriteFailed = "Error writing to log file \"";
  static constexpr std::string_view kCloseFailed = "Error closing log file \"";

  // All four must outlive the log. A log file name without a directory is kept in
  // `directory` (created when first needed); an empty one means the current directory.
  CProgramLog(const CClockSettings& settings, const CLocationDB& db, IFileLayer& files,
              IAlarmActions& actions, std::string directory = {});

  // The line for one start attempt, at "now", ending in "\r\n".
  std::string FormatLogLine(const CEventSchedule& event, bool success) const;
  // Where the settings' log file name leads.
  std::string LogPath() const;
  // Appends the line to the settings' log file when logging is on. Failures go to the user on a
  // thread of their own, so the alarm that started the program carries on; the line is then lost.
  void LogProgramStart(const CEventSchedule& event, bool success);

 private:
  std::string BasisPart(CDateTime now, const DisplayOptions& options) const;
  const CLocation* BasisLocation() const;
  static std::string EventPart(const CEventSchedule& event, CDateTime now,
                               const DisplayOptions& options);
  static std::string LocalDateAndTime(const CLocation& location, CDateTime gmt,
                                      const DisplayOptions& options);

  const CClockSettings& m_settings;
  const CLocationDB& m_db;
  IFileLayer& m_files;
  IAlarmActions& m_actions;
  std::string m_directory;
};

}  // namespace zw

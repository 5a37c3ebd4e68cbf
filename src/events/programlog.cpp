// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/programlog.h"

#include <cstdint>
#include <span>
#include <utility>

#include "events/alarmactions.h"
#include "events/event.h"
#include "events/eventschedule.h"
#include "locations/locationdb.h"
#include "platform/filelayer.h"
#include "settings/clocksettings.h"

namespace zw {

namespace {

constexpr int kFourDigitYears = 4;

std::string WithoutTrailingSpaces(std::string text) {
  const std::size_t last = text.find_last_not_of(' ');
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

// "Name, Country", or just the name when the country text is empty.
std::string Place(const std::string& name, const std::string& country) {
  return country.empty() ? name : name + ", " + country;
}

std::string_view FailureText(FileStage stage) {
  switch (stage) {
    case FileStage::kOpen:
      return CProgramLog::kOpenFailed;
    case FileStage::kClose:
      return CProgramLog::kCloseFailed;
    default:
      return CProgramLog::kWriteFailed;
  }
}

}  // namespace

CProgramLog::CProgramLog(const CClockSettings& settings, const CLocationDB& db, IFileLayer& files,
                         IAlarmActions& actions, std::string directory)
    : m_settings(settings),
      m_db(db),
      m_files(files),
      m_actions(actions),
      m_directory(std::move(directory)) {}

std::string CProgramLog::LogPath() const {
  const std::string& name = m_settings.Values().logFileName;
  if (m_directory.empty() || name.find('/') != std::string::npos) {
    return name;
  }
  return m_directory + "/" + name;
}

std::string CProgramLog::FormatLogLine(const CEventSchedule& event, bool success) const {
  const CDateTime now;
  const DisplayOptions options = m_settings.Display();
  const CEvent& alarm = *event.Alarm();
  std::string line = BasisPart(now, options);
  line += EventPart(event, now, options);
  line += success ? kStarted : kNotStarted;
  line += alarm.ProgramCommand();
  line += kInDirectory;
  line += alarm.StartDirectory();
  line += kLineEnd;
  return line;
}

void CProgramLog::LogProgramStart(const CEventSchedule& event, bool success) {
  if (!m_settings.Values().logStarts) {
    return;
  }
  const std::string fileName = LogPath();
  if (fileName != m_settings.Values().logFileName) {
    m_files.MakeDirectories(m_directory);
  }
  const std::string line = FormatLogLine(event, success);
  const FileError error = m_files.Append(
      fileName, std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
  if (error.Ok()) {
    return;
  }
  m_actions.ShowErrorAsync(std::string(FailureText(error.stage)) + fileName + "\".");
}

// The GMT form keeps the four-digit year and the seconds whatever the display options say,
// so the log stays unambiguous.
std::string CProgramLog::BasisPart(CDateTime now, const DisplayOptions& options) const {
  if (const CLocation* basis = BasisLocation()) {
    return LocalDateAndTime(*basis, now, options) + std::string(kLocalTime);
  }
  const int order = options.dateOrder;
  const int mode = options.hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour;
  std::string text = WithoutTrailingSpaces(
      now.FormatDate(order, CDateTime::DateSeparator(order), kFourDigitYears));
  text += ' ';
  text += WithoutTrailingSpaces(now.FormatTime(mode, ":", true));
  text += kGmtTime;
  return text;
}

// A basis location that has left the database falls back to GMT without a word.
const CLocation* CProgramLog::BasisLocation() const {
  const ClockSettings& values = m_settings.Values();
  if (values.logLocationView == -1) {
    return nullptr;
  }
  const int index = m_db.Find(values.logLocation.name, values.logLocation.country);
  return index < 0 ? nullptr : m_db.At(static_cast<std::size_t>(index));
}

std::string CProgramLog::EventPart(const CEventSchedule& event, CDateTime now,
                                   const DisplayOptions& options) {
  const CLocation* location = event.Location();
  if (location == nullptr) {
    // The event's location has left the database: its stored texts still say which place
    // was meant, but there is no zone to claim a local time from.
    const CEvent& alarm = *event.Alarm();
    std::string part = "(";
    part += Place(alarm.LocationName(), alarm.LocationCountry());
    return part;
  }
  return LocalDateAndTime(*location, now, options) + " (" +
         Place(location->Name(), location->Country());
}

std::string CProgramLog::LocalDateAndTime(const CLocation& location, CDateTime gmt,
                                          const DisplayOptions& options) {
  const CDateTime local = location.Zone().ToLocal(gmt);
  return WithoutTrailingSpaces(CLocation::DateTextOf(local, options)) + " " +
         WithoutTrailingSpaces(CLocation::TimeTextOf(local, options));
}

}  // namespace zw

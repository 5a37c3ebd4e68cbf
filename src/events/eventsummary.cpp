// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventsummary.h"

#include "events/event.h"
#include "timecore/zone.h"

namespace zw {

namespace {

constexpr std::string_view kWeekdays[] = {"Sunday, ",   "Monday, ", "Tuesday, ", "Wednesday, ",
                                          "Thursday, ", "Friday, ", "Saturday, "};
// The summary writes "One Time" where the list writes "One-Time".
constexpr std::string_view kFrequencies[] = {"Daily", "Weekly", "Monthly", "Annual", "One Time"};
constexpr std::string_view kNoPreNotify = "No";
constexpr std::string_view kOneMinute = " minute";
constexpr std::string_view kMinutes = " minutes";
constexpr std::string_view kActionBreak = "\n\n";

std::string WhenText(CDateTime local, const DisplayOptions& options) {
  std::string text(kWeekdays[local.DayOfWeek() - 1]);
  text.append(local.FormatDate(options.dateOrder, CDateTime::DateSeparator(options.dateOrder), 4));
  text.append("  ");
  text.append(local.FormatTime(options.hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour,
                               ":", true));
  return text;
}

std::string PreNotifyText(int minutes) {
  if (minutes <= 0) {
    return std::string(kNoPreNotify);
  }
  std::string text = std::to_string(minutes);
  text.append(minutes == 1 ? kOneMinute : kMinutes);
  return text;
}

std::string ActionText(const CEvent& alarm) {
  const AlarmRecord& r = alarm.Fields();
  std::string text;
  if (r.showMessage != 0) {
    text.append(EventSummary::kMessagePrefix).append(alarm.MessageText()).append(kActionBreak);
  }
  if (r.playMedia != 0) {
    text.append(EventSummary::kMediaPrefix).append(alarm.MediaFile()).append(kActionBreak);
  }
  if (r.runProgram != 0) {
    text.append(EventSummary::kProgramPrefix).append(alarm.ProgramCommand());
  }
  return text;
}

}  // namespace

EventSummary EventSummary::Of(const CEvent& alarm, const CZone& zone, const CDateTime& dueGmt,
                              const DisplayOptions& options) {
  const AlarmRecord& r = alarm.Fields();
  const CDateTime local = zone.ToLocal(dueGmt) + CDateSpan(0, 0, r.preNotifyMinutes, 0);
  EventSummary summary;
  summary.when = WhenText(local, options);
  summary.name = alarm.Name();
  summary.location = alarm.LocationName();
  summary.location.append(", ").append(alarm.LocationCountry());
  if (r.frequency >= kDaily && r.frequency <= kOneTime) {
    summary.frequency = kFrequencies[r.frequency];
  }
  summary.preNotify = PreNotifyText(r.preNotifyMinutes);
  summary.action = ActionText(alarm);
  return summary;
}

}  // namespace zw

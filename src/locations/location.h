#pragma once

#include <string>

#include "timecore/datetime.h"
#include "timecore/displayoptions.h"
#include "timecore/tzzone.h"
#include "timecore/zone.h"
#include "timecore/zonerule.h"

namespace zw {

// One place whose time the program can show: a city, an area code or a custom location, with
// its zone rule and the texts of its current and converted times.
class CLocation {
 public:
  enum Type { kCity = 1, kAreaCode = 2, kCustom = 9 };

  // Empty name and country, GMT without daylight saving, current time taken from "now".
  CLocation();

  const std::string& Name() const { return m_name; }
  void SetName(std::string name) { m_name = std::move(name); }
  const std::string& Country() const { return m_country; }
  void SetCountry(std::string country) { m_country = std::move(country); }
  int GetType() const { return m_type; }
  void SetType(int type) { m_type = type; }

  void SetOffset(int hours) { m_zone.SetOffset(hours); }
  void SetOffsetMinutes(int minutes) { m_zone.SetOffsetMinutes(minutes); }
  int GetOffsetHours() const { return m_zone.GetOffsetHours(); }
  int GetOffsetMinutes() const { return m_zone.GetOffsetMinutes(); }
  void SetDstRule(const DstRule& rule) { m_zone.SetDstRule(rule); }
  void SetDstRule(int enabled, int startOrdinal, int startWeekday, int startMonth, int startHour,
                  int endOrdinal, int endWeekday, int endMonth, int endHour);
  const DstRule& GetDstRule() const { return m_zone.GetDstRule(); }
  // The rule stored in the zone file, whether or not it is in use.
  const CZoneRule& StoredRule() const { return m_zone; }
  bool IsDst(const CDateTime& local) const { return m_zone.IsDst(local); }

  // The place's tz database zone, or nullptr; it belongs to a CTzCatalog that outlives the
  // place.
  const CTzZone* TzZone() const { return m_tz; }
  void SetTzZone(const CTzZone* zone) { m_tz = zone; }
  // Whether the times come from the tz zone (when the system has it) rather than the rule.
  bool FollowsTz() const { return m_followsTz; }
  void SetFollowsTz(bool follows) { m_followsTz = follows; }
  // What every time of the place is computed with.
  CZone Zone() const { return CZone(m_zone, m_followsTz ? m_tz : nullptr); }

  // Recomputes the current local time from gmtNow and the clock's date and time texts; a
  // part the display mode leaves out gets an empty text.
  void UpdateCurrentTime(const CDateTime& gmtNow, const DisplayOptions& options);
  // Recomputes the current local time only; the texts wait for the next display.
  void ComputeCurrentTime(const CDateTime& gmtNow) { m_currentTime = Zone().ToLocal(gmtNow); }
  const CDateTime& CurrentTime() const { return m_currentTime; }
  // Both first recompute from "now".
  const std::string& CurrentDateText(const DisplayOptions& options);
  const std::string& CurrentTimeText(const DisplayOptions& options);
  // The texts of the last UpdateCurrentTime, without recomputing.
  const std::string& DateText() const { return m_dateText; }
  const std::string& TimeText() const { return m_timeText; }

  // Conversions for dialogs that show this location's time at another moment; both texts
  // are always formatted, from the local time.
  void ConvertFromGmt(const CDateTime& gmt, const DisplayOptions& options);
  void ConvertToGmt(const CDateTime& local, const DisplayOptions& options);
  // Local time to GMT by the comparison's careful rule for the switch hours.
  void ConvertToGmtForComparison(const CDateTime& local, const DisplayOptions& options);
  const CDateTime& ConvertedLocal() const { return m_convertedLocal; }
  const CDateTime& ConvertedGmt() const { return m_convertedGmt; }
  const std::string& ConvertedDateText() const { return m_convertedDate; }
  const std::string& ConvertedTimeText() const { return m_convertedTime; }

  // Date and time texts of a local time under the display options.
  static std::string DateTextOf(CDateTime local, const DisplayOptions& options);
  static std::string TimeTextOf(CDateTime local, const DisplayOptions& options);

 private:
  void FormatConverted(const DisplayOptions& options);

  std::string m_name;
  std::string m_country;
  int m_type = kCity;
  CZoneRule m_zone;
  const CTzZone* m_tz = nullptr;
  bool m_followsTz = false;
  CDateTime m_currentTime;
  std::string m_dateText;
  std::string m_timeText;
  CDateTime m_convertedLocal;
  CDateTime m_convertedGmt;
  std::string m_convertedDate;
  std::string m_convertedTime;
};

}  // namespace zw

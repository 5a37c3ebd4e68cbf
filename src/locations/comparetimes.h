// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "locations/location.h"
#include "locations/placetime.h"
#include "timecore/datetime.h"
#include "timecore/displayoptions.h"

namespace zw {

// The time comparison's one moment, held as a GMT instant so that both locations are shown at
// the same instant whichever of them it was entered for, and the words that compare their
// clocks at that moment.
class CCompareTimes {
 public:
  static constexpr std::string_view kIn = " in ";
  static constexpr std::string_view kSameTime = " has the same time as ";
  static constexpr std::string_view kIs = " is ";
  static constexpr std::string_view kHour = " hour ";
  static constexpr std::string_view kHours = " hours ";
  static constexpr std::string_view kMinute = " minute ";
  static constexpr std::string_view kMinutes = " minutes ";
  static constexpr std::string_view kLater = "later than ";
  static constexpr std::string_view kEarlier = "earlier than ";
  static constexpr std::string_view kLineGap = "  ";

  // The three texts of the dialog: each location's date and time, and the sentence.
  struct Texts {
    std::string left;
    std::string right;
    std::string sentence;
    friend bool operator==(const Texts&, const Texts&) = default;
  };

  bool HasTime() const { return m_time.has_value(); }
  // The comparison time in GMT, or none.
  const std::optional<CDateTime>& Time() const { return m_time; }
  void Drop() { m_time.reset(); }
  void TakeNow() { m_time = CDateTime(); }
  // `local` is a wall-clock time of `location`; the hours that daylight saving skips or
  // repeats are resolved the careful way, as standard time.
  void TakeLocal(const CLocation& location, const CDateTime& local, const DisplayOptions& options);

  // The location's time and texts at the comparison time, or none without one.
  std::optional<PlaceTime> Convert(const CLocation& location, const DisplayOptions& options) const;
  // All three texts empty without a comparison time or without a location on either side.
  Texts Show(const CLocation* left, const CLocation* right, const DisplayOptions& options) const;

  // A converted date and time, as a location's text line shows them.
  static std::string Line(const PlaceTime& time);
  // How far the left location's local time is from the right one's, in hours and minutes;
  // whole days are left out. Empty when both sides are the same location.
  static std::string Sentence(const CLocation& left, const CDateTime& leftLocal,
                              const CLocation& right, const CDateTime& rightLocal);

 private:
  static std::string Place(const CLocation& location);
  static std::string Distance(const CDateTime& left, const CDateTime& right);

  std::optional<CDateTime> m_time;
};

}  // namespace zw

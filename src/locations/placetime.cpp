// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/placetime.h"

#include "locations/location.h"

namespace zw {

PlaceTime PlaceTime::Formatted(const CDateTime& local, const CDateTime& gmt,
                               const DisplayOptions& options) {
  return PlaceTime{local, gmt, CLocation::DateTextOf(local, options),
                   CLocation::TimeTextOf(local, options)};
}

PlaceTime PlaceTime::Current(const CLocation& place, const CDateTime& gmtNow,
                             const DisplayOptions& options) {
  PlaceTime now{place.Zone().ToLocal(gmtNow), gmtNow, {}, {}};
  if (options.ShowsDate()) {
    now.date = CLocation::DateTextOf(now.local, options);
  }
  if (options.ShowsTime()) {
    now.time = CLocation::TimeTextOf(now.local, options);
  }
  return now;
}

PlaceTime PlaceTime::FromGmt(const CLocation& place, const CDateTime& gmt,
                             const DisplayOptions& options) {
  return Formatted(place.Zone().ToLocal(gmt), gmt, options);
}

PlaceTime PlaceTime::FromLocal(const CLocation& place, const CDateTime& local,
                               const DisplayOptions& options) {
  return Formatted(local, place.Zone().ToGmt(local), options);
}

PlaceTime PlaceTime::FromLocalForComparison(const CLocation& place, const CDateTime& local,
                                            const DisplayOptions& options) {
  return Formatted(local, place.Zone().ToGmtForComparison(local), options);
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/locationvalues.h"

#include "locations/locationdb.h"

namespace zw {

namespace {

bool Storable(const std::string& text) {
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == '"' || (c >= 0x7F && c < 0xA0)) {
      return false;
    }
  }
  return true;
}

void TrimRight(std::string& text) {
  const std::size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
}

}  // namespace

LocationValues LocationValues::From(const CLocation& location) {
  LocationValues v;
  v.name = location.Name();
  v.country = location.Country();
  v.offsetHours = location.GetOffsetHours();
  v.halfHour = location.GetOffsetMinutes() != 0;
  const DstRule& r = location.GetDstRule();
  v.dst = r.enabled != 0;
  v.rule = {r.startOrdinal, r.startWeekday, r.startMonth, r.startHour,
            r.endOrdinal,   r.endWeekday,   r.endMonth,   r.endHour};
  if (location.TzZone() != nullptr) {
    v.zone = location.TzZone()->Name();
  }
  v.followsZone = location.FollowsTz();
  return v;
}

void LocationValues::Trim() {
  TrimRight(name);
  TrimRight(country);
}

std::optional<std::string_view> LocationValues::Check(const CLocationDB& db,
                                                      const CLocation* self) const {
  if (name.empty()) {
    return kNameMissing;
  }
  if (!Storable(name) || !Storable(country)) {
    return kUnstorable;
  }
  const int found = db.Find(name, country);
  if (found >= 0 && db.At(static_cast<std::size_t>(found)) != self) {
    return kDuplicate;
  }
  return std::nullopt;
}

int LocationValues::OffsetMinutes() const {
  if (!halfHour) {
    return 0;
  }
  return offsetHours <= 0 ? -30 : 30;
}

DstRule LocationValues::Rule() const {
  const DstRule usual;
  const auto pick = [](int chosen, int fallback) { return chosen >= 0 ? chosen : fallback; };
  return DstRule{dst ? 1 : 0,
                 pick(rule[0], usual.startOrdinal),
                 pick(rule[1], usual.startWeekday),
                 pick(rule[2], usual.startMonth),
                 pick(rule[3], usual.startHour),
                 pick(rule[4], usual.endOrdinal),
                 pick(rule[5], usual.endWeekday),
                 pick(rule[6], usual.endMonth),
                 pick(rule[7], usual.endHour)};
}

void LocationValues::ApplyTo(CLocation& location, CTzCatalog& zones) const {
  location.SetName(name.substr(0, kMaxText));
  location.SetCountry(country.substr(0, kMaxText));
  location.SetOffset(offsetHours);
  location.SetOffsetMinutes(OffsetMinutes());
  location.SetDstRule(Rule());
  location.SetTzZone(zones.Find(zone));
  location.SetFollowsTz(followsZone && location.TzZone() != nullptr);
}

}  // namespace zw

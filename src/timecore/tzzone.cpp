// SPDX-License-Identifier: GPL-3.0-or-later
#include "timecore/tzzone.h"

#include <date/tz.h>

#include <algorithm>
#include <optional>

#include "timecore/tzfile.h"

// The zones come from the system's database only: date/tz must neither download nor read a
// copy of its own.
static_assert(USE_OS_TZDB == 1, "date/tz must read the system's zone files");
static_assert(HAS_REMOTE_API == 0, "date/tz must never download");

namespace zw {

namespace {

constexpr std::string_view kZoneDirectory = "/usr/share/zoneinfo/";
constexpr std::int64_t kDay = 86400;

bool IsZoneName(std::string_view name) {
  // Names are paths below the zone directory: no way up or out of it.
  if (name.empty() || name.front() == '/' || name.back() == '/' ||
      name.find("//") != std::string_view::npos) {
    return false;
  }
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/' ||
           c == '_' || c == '-' || c == '+';
  });
}

}  // namespace

struct CTzZone::Data {
  CTzFile file;
  std::int64_t tailFrom = 0;
};

// Only the one file a zone needs is read: date/tz's own lookup lists and looks at every file
// of the zone directory first, which costs a short run of zw more than all else it does.
CTzZone::CTzZone(std::string name) : m_name(std::move(name)) {
  if (!IsZoneName(m_name)) {
    return;
  }
  std::optional<CTzFile> file = CTzFile::Read(std::string(kZoneDirectory) + m_name);
  if (file) {
    m_data = std::make_unique<Data>(Data{std::move(*file), 0});
    m_data->tailFrom = m_data->file.TailFrom();
  }
}

CTzZone::~CTzZone() = default;

ZoneState CTzZone::AtSeconds(std::int64_t utc) const {
  const Data& data = *m_data;
  if (data.file.Tail() && utc >= data.tailFrom) {
    return data.file.Tail()->At(utc);
  }
  return data.file.At(utc);
}

std::optional<CDateTime> CTzZone::NextChange(const CDateTime& gmt) const {
  // Switches that change only the zone's abbreviation or the daylight flag are passed over;
  // the bound keeps a corrupt file from looping.
  constexpr int kMaxSwitches = 64;
  const std::int64_t from = gmt.Seconds();
  const std::int32_t offset = AtSeconds(from).offsetSeconds;
  const Data& data = *m_data;
  const std::optional<CPosixTzRule>& tail = data.file.Tail();
  std::int64_t t = from;
  for (int i = 0; i < kMaxSwitches; ++i) {
    // Before the last listed switch the next one is listed too, so the rule takes over there.
    const std::optional<std::int64_t> next =
        tail && t >= data.tailFrom ? tail->NextSwitch(t) : data.file.NextSwitch(t);
    if (!next || *next <= t) {
      return std::nullopt;
    }
    t = *next;
    if (AtSeconds(t).offsetSeconds != offset) {
      return CDateTime::FromSeconds(t);
    }
  }
  return std::nullopt;
}

ZoneState CTzZone::At(const CDateTime& gmt) const {
  return AtSeconds(gmt.Seconds());
}

CDateTime CTzZone::ToLocal(const CDateTime& gmt) const {
  const std::int64_t utc = gmt.Seconds();
  return CDateTime::FromSeconds(utc + AtSeconds(utc).offsetSeconds);
}

CDateTime CTzZone::ToGmt(const CDateTime& local, Pick pick) const {
  const std::int64_t wall = local.Seconds();
  // No zone switches twice within two days, so the offsets a day either side are the only
  // candidates; a candidate holds when the instant it gives has that offset.
  const ZoneState before = AtSeconds(wall - kDay);
  const ZoneState after = AtSeconds(wall + kDay);
  const auto holds = [&](const ZoneState& state) {
    return AtSeconds(wall - state.offsetSeconds).offsetSeconds == state.offsetSeconds;
  };
  const bool beforeHolds = holds(before);
  const bool afterHolds = holds(after);
  const ZoneState* chosen = &after;
  if (before.offsetSeconds == after.offsetSeconds || beforeHolds != afterHolds) {
    chosen = beforeHolds ? &before : &after;
  } else if (beforeHolds) {
    // Twice: the later reading has the smaller offset.
    chosen = before.offsetSeconds < after.offsetSeconds ? &before : &after;
    const ZoneState* other = chosen == &before ? &after : &before;
    if (pick == Pick::kStandard && chosen->dst && !other->dst) {
      chosen = other;
    }
  } else if (pick == Pick::kStandard && !before.dst) {
    // Skipped: standard time is the offset before a spring switch.
    chosen = &before;
  }
  return CDateTime::FromSeconds(wall - chosen->offsetSeconds);
}

const CTzZone* CTzCatalog::Find(std::string_view name) {
  if (name.empty()) {
    return nullptr;
  }
  const std::lock_guard<std::mutex> lock(m_mutex);
  const auto found = m_zones.find(name);
  if (found != m_zones.end()) {
    return found->second.get();
  }
  auto zone = std::make_unique<CTzZone>(std::string(name));
  const CTzZone* made = zone.get();
  m_zones.emplace(std::string(name), std::move(zone));
  return made;
}

std::vector<std::string> CTzCatalog::Names() {
  std::vector<std::string> names;
  try {
    const date::tzdb& db = date::get_tzdb();
    names.reserve(db.zones.size());
    for (const date::time_zone& zone : db.zones) {
      names.push_back(zone.name());
    }
  } catch (const std::exception&) {
    return {};
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zw

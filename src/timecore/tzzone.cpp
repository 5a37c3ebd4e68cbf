#include "timecore/tzzone.h"

#include <date/tz.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <optional>

// The zones come from the system's database only: date/tz must neither download nor read a
// copy of its own.
static_assert(USE_OS_TZDB == 1, "date/tz must read the system's zone files");
static_assert(HAS_REMOTE_API == 0, "date/tz must never download");

namespace zw {

namespace {

constexpr std::string_view kZoneDirectory = "/usr/share/zoneinfo/";
constexpr std::size_t kMaxRuleLength = 255;
constexpr std::int64_t kDay = 86400;
// An instant past any switch a zone file lists: 9999-12-31.
constexpr std::int64_t kFarFuture = 253402214400;

const date::time_zone* Locate(const std::string& name) {
  try {
    return date::locate_zone(name);
  } catch (const std::exception&) {
    // No such zone, or no zone directory at all: the place keeps its stored rule.
    return nullptr;
  }
}

// The rule text that ends a version 2 or later zone file: the last line, between the last
// two newlines. Only the head and the tail of the file are read.
std::optional<CPosixTzRule> ReadFileRule(const std::string& name) {
  std::ifstream in(std::string(kZoneDirectory) + name, std::ios::binary | std::ios::ate);
  const std::streamoff size = in.tellg();
  char head[5] = {};
  if (!in || size < static_cast<std::streamoff>(sizeof head) + 2 ||
      !in.seekg(0).read(head, sizeof head) || std::string_view(head, 4) != "TZif" ||
      head[4] < '2') {
    return std::nullopt;
  }
  const std::streamoff tailLength =
      std::min<std::streamoff>(size, static_cast<std::streamoff>(kMaxRuleLength) + 2);
  std::string tail(static_cast<std::size_t>(tailLength), '\0');
  if (!in.seekg(size - tailLength).read(tail.data(), tailLength) || tail.back() != '\n') {
    return std::nullopt;
  }
  const std::size_t open = tail.rfind('\n', tail.size() - 2);
  if (open == std::string::npos) {
    return std::nullopt;
  }
  return CPosixTzRule::Parse(std::string_view(tail).substr(open + 1, tail.size() - open - 2));
}

ZoneState StateOf(const date::sys_info& info) {
  return ZoneState{static_cast<std::int32_t>(info.offset.count()),
                   info.save != std::chrono::minutes{0}};
}

}  // namespace

struct CTzZone::Data {
  const date::time_zone* zone = nullptr;
  // Read on first use: most places on a clock never reach the years past the file's list.
  std::once_flag tailOnce;
  std::int64_t tailFrom = 0;
  std::optional<CPosixTzRule> tail;
};

CTzZone::CTzZone(std::string name) : m_name(std::move(name)) {
  const date::time_zone* zone = Locate(m_name);
  if (zone != nullptr) {
    m_data = std::make_unique<Data>();
    m_data->zone = zone;
  }
}

CTzZone::~CTzZone() = default;

ZoneState CTzZone::AtSeconds(std::int64_t utc) const {
  Data& data = *m_data;
  std::call_once(data.tailOnce, [&data] {
    const date::sys_info last =
        data.zone->get_info(date::sys_seconds{std::chrono::seconds{kFarFuture}});
    data.tailFrom = last.begin.time_since_epoch().count();
    data.tail = ReadFileRule(data.zone->name());
  });
  if (data.tail && utc >= data.tailFrom) {
    return data.tail->At(utc);
  }
  return StateOf(data.zone->get_info(date::sys_seconds{std::chrono::seconds{utc}}));
}

std::optional<CDateTime> CTzZone::NextChange(const CDateTime& gmt) const {
  // Switches that change only the zone's abbreviation or the daylight flag are passed over;
  // the bound keeps a corrupt file from looping.
  constexpr int kMaxSwitches = 64;
  const std::int64_t from = gmt.Seconds();
  const std::int32_t offset = AtSeconds(from).offsetSeconds;
  const Data& data = *m_data;
  std::int64_t t = from;
  for (int i = 0; i < kMaxSwitches; ++i) {
    std::optional<std::int64_t> next;
    if (data.tail && t >= data.tailFrom) {
      next = data.tail->NextSwitch(t);
    } else {
      const date::sys_info info = data.zone->get_info(date::sys_seconds{std::chrono::seconds{t}});
      next = info.end.time_since_epoch().count();
      if (data.tail && *next > data.tailFrom) {
        next = data.tailFrom;
      } else if (!data.tail && *next >= kFarFuture) {
        return std::nullopt;
      }
    }
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

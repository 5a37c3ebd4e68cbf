// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timecore/datetime.h"
#include "timecore/posixtzrule.h"

namespace zw {

// One zone of the system's tz database (/usr/share/zoneinfo), such as "Asia/Kathmandu",
// shared by every place that follows it. Its offsets carry the zone's whole history; past
// the last switch its file lists, the rule the file ends with takes over.
class CTzZone {
 public:
  // How a wall-clock time that occurs twice, or not at all, is read.
  enum class Pick {
    // The later of two readings; a skipped time is read with the offset after the switch.
    kLater,
    // Standard time where one of the two readings is standard time, else the later one.
    kStandard,
  };

  // Looks the name up in the system's database; a name it lacks gives a zone that is not
  // available, which still keeps its name.
  explicit CTzZone(std::string name);
  ~CTzZone();
  CTzZone(const CTzZone&) = delete;
  CTzZone& operator=(const CTzZone&) = delete;

  const std::string& Name() const { return m_name; }
  bool IsAvailable() const { return m_data != nullptr; }

  // The members below require an available zone.
  ZoneState At(const CDateTime& gmt) const;
  CDateTime ToLocal(const CDateTime& gmt) const;
  CDateTime ToGmt(const CDateTime& local, Pick pick) const;
  // The first instant after `gmt` whose offset differs from the offset at `gmt`; nullopt when
  // the zone never changes again.
  std::optional<CDateTime> NextChange(const CDateTime& gmt) const;

 private:
  struct Data;

  ZoneState AtSeconds(std::int64_t utc) const;

  std::string m_name;
  std::unique_ptr<Data> m_data;
};

// The zones places refer to, each made once and kept as long as the catalog, so a place can
// hold a plain pointer to its zone. Safe to use from several threads.
class CTzCatalog {
 public:
  CTzCatalog() = default;
  CTzCatalog(const CTzCatalog&) = delete;
  CTzCatalog& operator=(const CTzCatalog&) = delete;

  // The zone of this name, available or not; nullptr for an empty name.
  const CTzZone* Find(std::string_view name);

  // Every zone name of the system's database, sorted; empty when it has none.
  static std::vector<std::string> Names();

 private:
  std::mutex m_mutex;
  std::map<std::string, std::unique_ptr<CTzZone>, std::less<>> m_zones;
};

}  // namespace zw

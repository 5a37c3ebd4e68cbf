// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "locations/location.h"
#include "locations/zonerulepool.h"
#include "platform/translatable.h"
#include "timecore/tzzone.h"

namespace zw {

class IFileLayer;
class IMessageSink;

// Every location the program knows, in (type, country, name) byte order, and the clock list:
// the up to ten of them the clock window shows, in line order. The database owns the
// locations; the clock list only points at them.
class CLocationDB {
 public:
  static constexpr std::size_t kMaxClockEntries = 10;
  static constexpr std::uint32_t kDefaultClockColor = 0xFFFFFF;
  static constexpr std::string_view kClockFullPrefix = "A maximum of ";
  static constexpr std::string_view kClockFullSuffix =
      " locations can be displayed on the clock at one time.  Please remove one using the pop-up "
      "menu before adding another.";

  // How the clock window should react to a change of the clock list.
  enum class ClockChange { kRelayoutLater, kRepaintNow };
  using ClockListener = std::function<void(ClockChange)>;
  // Called once per progress step while a zone file is parsed, about 30 times per file.
  using ProgressCallback = std::function<void()>;

  static constexpr std::string_view kStandardFileName = "TIME_ZON.DAT";
  static constexpr std::string_view kCustomFileName = "CUST_ZON.DAT";
  // A replacement standard file left by the database update, taken in by the next Load.
  static constexpr std::string_view kUpdateFileName = "TEMPT.DAT";
  // The standard file an update replaced, kept so the user can go back to it.
  static constexpr std::string_view kBackupFileName = "TIME_ZON.BAK";
  // A zone file beyond this size is refused as unreadable instead of being read whole.
  static constexpr std::size_t kMaxFileBytes = 64u * 1024u * 1024u;
  static constexpr std::string_view kCustomNotSavedMessage = ZW_TR_NOOP(
      "Core",
      "The custom time zone file \"CUST_ZON.DAT\" could not be read, so it is left as it is: "
      "custom locations are not saved until it can be read.");

  CLocationDB() = default;
  CLocationDB(const CLocationDB&) = delete;
  CLocationDB& operator=(const CLocationDB&) = delete;

  // Replaces the contents with the zone files of the current directory, taking in TEMPT.DAT
  // in place of TIME_ZON.DAT when it passes CZoneFileCheck (the file it replaces is kept as
  // TIME_ZON.BAK); a refused TEMPT.DAT is deleted and TIME_ZON.DAT stays. A CUST_ZON.DAT that
  // exists but cannot be read is reported once and then never replaced or removed. Each place
  // gets the tz zone its zone file's companion names (see CZoneCompanion): a missing
  // companion means no zones, a damaged one is reported and means no zones for its file.
  // Every failure is reported to `messages`; a failed load leaves the database empty.
  bool Load(IFileLayer& files, IMessageSink& messages, const ProgressCallback& progress = {});
  // Writes every location to TIME_ZON.DAT and the custom ones to CUST_ZON.DAT, which is
  // removed when none is left, each with its companion. Each file is replaced whole or not
  // at all; an unreadable CUST_ZON.DAT is refused with kCustomNotSavedMessage.
  bool Save(IFileLayer& files, IMessageSink& messages);
  // Appends the locations of one zone file held in memory. Stops at the first bad line with
  // its warning, keeping the locations read before it.
  bool Parse(std::span<const std::uint8_t> buffer, bool isCustom, IMessageSink& messages,
             const ProgressCallback& progress = {});

  std::size_t Count() const { return m_locations.size(); }
  CLocation* At(std::size_t index) const { return m_locations[index].get(); }

  // Index of the first location with exactly this name and country, or -1.
  int Find(std::string_view name, std::string_view country) const;
  // Index of a location object held by the database, or -1.
  int IndexOf(const CLocation* location) const;

  // Where a location of `type` belongs: before the first entry of a higher type, of the same
  // type and a greater country, or of the same type and country and a name not less than its
  // own. Byte comparison, case-sensitive, bytes above 127 after ASCII.
  std::size_t InsertPosition(const CLocation& location, int type) const;
  void InsertAt(std::unique_ptr<CLocation> location, std::size_t index);
  // InsertAt(InsertPosition(...)); returns the index used.
  std::size_t Insert(std::unique_ptr<CLocation> location);

  // With destroy the location is deleted and also leaves the clock list, so no clock line
  // is left pointing at it; nullptr is returned. Without destroy it is only unlinked and
  // handed back, still on the clock, for the caller to insert again.
  std::unique_ptr<CLocation> RemoveAt(std::size_t index, bool destroy);
  // Moves a changed location to the place its type, country and name now call for.
  std::size_t Reposition(std::size_t index);

  std::size_t ClockCount() const { return m_clock.size(); }
  CLocation* ClockAt(std::size_t index) const { return m_clock[index]; }
  bool IsOnClock(const CLocation* location) const;
  // Appends and asks for a full relayout. Refused (false) when the list is full; callers
  // normally check first and show ClockFullMessage().
  bool AddToClock(CLocation* location);
  // As AddToClock, warning the user when the list is full.
  bool AddToClock(CLocation* location, IMessageSink& messages);
  void RemoveFromClock(std::size_t index);
  void MoveOnClock(std::size_t from, std::size_t to);
  void ClearClock();

  // The colour a location's clock line is drawn in (0x00BBGGRR); it stays with the location
  // while it leaves the clock and comes back, and goes with it when it is deleted.
  std::uint32_t ClockColor(const CLocation& location) const;
  void SetClockColor(const CLocation& location, std::uint32_t color);

  void SetClockListener(ClockListener listener) { m_listener = std::move(listener); }

  void Destroy();

  static std::string ClockFullMessage();

  // The zones the places refer to; they outlive every load and Destroy.
  CTzCatalog& TzZones() const { return m_tzZones; }
  // How many distinct stored rules the places share.
  std::size_t SharedRuleCount() const { return m_rules.Count(); }

 private:
  // Whether `entry` sorts strictly before (type, country, name).
  static bool Precedes(const CLocation& entry, int type, const std::string& country,
                       const std::string& name);
  // Appends a location read from a file, which arrives in file order.
  void AppendInOrder(std::unique_ptr<CLocation> location);
  void Notify(ClockChange change) const;

  std::vector<std::unique_ptr<CLocation>> m_locations;
  // Places with equal stored rules share one rule object.
  CZoneRulePool m_rules;
  std::vector<CLocation*> m_clock;
  std::unordered_map<const CLocation*, std::uint32_t> m_clockColors;
  ClockListener m_listener;
  bool m_customUnreadable = false;
  mutable CTzCatalog m_tzZones;
};

}  // namespace zw

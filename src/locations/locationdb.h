#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "locations/location.h"

namespace zw {

class IMessageSink;

// Every location the program knows, in (type, country, name) byte order, and the clock list:
// the up to ten of them the clock window shows, in line order. The database owns the
// locations; the clock list only points at them.
class CLocationDB {
 public:
  static constexpr std::size_t kMaxClockEntries = 10;
  static constexpr std::string_view kClockFullPrefix = "A maximum of ";
  static constexpr std::string_view kClockFullSuffix =
      " locations can be displayed on the clock at one time.  Please remove one using the pop-up "
      "menu before adding another.";

  // How the clock window should react to a change of the clock list.
  enum class ClockChange { kRelayoutLater, kRepaintNow };
  using ClockListener = std::function<void(ClockChange)>;

  CLocationDB() = default;
  CLocationDB(const CLocationDB&) = delete;
  CLocationDB& operator=(const CLocationDB&) = delete;

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

  void SetClockListener(ClockListener listener) { m_listener = std::move(listener); }

  void Destroy();

  static std::string ClockFullMessage();

 private:
  void Notify(ClockChange change) const;

  std::vector<std::unique_ptr<CLocation>> m_locations;
  std::vector<CLocation*> m_clock;
  ClockListener m_listener;
};

}  // namespace zw

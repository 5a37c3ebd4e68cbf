#include "locations/locationdb.h"

#include <algorithm>

#include "timecore/messagesink.h"

namespace zw {

int CLocationDB::Find(std::string_view name, std::string_view country) const {
  for (std::size_t i = 0; i < m_locations.size(); ++i) {
    const CLocation& loc = *m_locations[i];
    if (loc.Name() == name && loc.Country() == country) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int CLocationDB::IndexOf(const CLocation* location) const {
  const auto it = std::find_if(m_locations.begin(), m_locations.end(),
                               [location](const auto& p) { return p.get() == location; });
  return it == m_locations.end() ? -1 : static_cast<int>(it - m_locations.begin());
}

std::size_t CLocationDB::InsertPosition(const CLocation& location, int type) const {
  // The array is kept in this order, so the first entry that belongs after the new one can
  // be found by bisection; std::string compares bytes as unsigned char, like strcmp.
  const std::string& name = location.Name();
  const std::string& country = location.Country();
  const auto belongsAfter = [&](const std::unique_ptr<CLocation>& e) {
    if (e->GetType() != type) {
      return e->GetType() > type;
    }
    const int byCountry = e->Country().compare(country);
    if (byCountry != 0) {
      return byCountry > 0;
    }
    return e->Name().compare(name) >= 0;
  };
  const auto it = std::partition_point(
      m_locations.begin(), m_locations.end(),
      [&](const std::unique_ptr<CLocation>& e) { return !belongsAfter(e); });
  return static_cast<std::size_t>(it - m_locations.begin());
}

void CLocationDB::InsertAt(std::unique_ptr<CLocation> location, std::size_t index) {
  index = std::min(index, m_locations.size());
  m_locations.insert(m_locations.begin() + static_cast<std::ptrdiff_t>(index),
                     std::move(location));
}

std::size_t CLocationDB::Insert(std::unique_ptr<CLocation> location) {
  const std::size_t index = InsertPosition(*location, location->GetType());
  InsertAt(std::move(location), index);
  return index;
}

std::unique_ptr<CLocation> CLocationDB::RemoveAt(std::size_t index, bool destroy) {
  if (index >= m_locations.size()) {
    return nullptr;
  }
  std::unique_ptr<CLocation> taken = std::move(m_locations[index]);
  m_locations.erase(m_locations.begin() + static_cast<std::ptrdiff_t>(index));
  if (!destroy) {
    return taken;
  }
  const auto onClock = std::find(m_clock.begin(), m_clock.end(), taken.get());
  if (onClock != m_clock.end()) {
    RemoveFromClock(static_cast<std::size_t>(onClock - m_clock.begin()));
  }
  return nullptr;
}

std::size_t CLocationDB::Reposition(std::size_t index) {
  std::unique_ptr<CLocation> location = RemoveAt(index, false);
  if (!location) {
    return index;
  }
  return Insert(std::move(location));
}

bool CLocationDB::IsOnClock(const CLocation* location) const {
  return std::find(m_clock.begin(), m_clock.end(), location) != m_clock.end();
}

bool CLocationDB::AddToClock(CLocation* location) {
  if (location == nullptr || m_clock.size() >= kMaxClockEntries) {
    return false;
  }
  m_clock.push_back(location);
  Notify(ClockChange::kRelayoutLater);
  return true;
}

bool CLocationDB::AddToClock(CLocation* location, IMessageSink& messages) {
  if (m_clock.size() >= kMaxClockEntries) {
    messages.Warn(ClockFullMessage());
    return false;
  }
  return AddToClock(location);
}

void CLocationDB::RemoveFromClock(std::size_t index) {
  if (index >= m_clock.size()) {
    return;
  }
  m_clock.erase(m_clock.begin() + static_cast<std::ptrdiff_t>(index));
  Notify(ClockChange::kRepaintNow);
}

void CLocationDB::MoveOnClock(std::size_t from, std::size_t to) {
  if (from >= m_clock.size() || to >= m_clock.size() || from == to) {
    return;
  }
  CLocation* moving = m_clock[from];
  m_clock.erase(m_clock.begin() + static_cast<std::ptrdiff_t>(from));
  m_clock.insert(m_clock.begin() + static_cast<std::ptrdiff_t>(to), moving);
}

void CLocationDB::ClearClock() { m_clock.clear(); }

void CLocationDB::Destroy() {
  m_clock.clear();
  m_locations.clear();
}

std::string CLocationDB::ClockFullMessage() {
  return std::string(kClockFullPrefix) + std::to_string(kMaxClockEntries) +
         std::string(kClockFullSuffix);
}

void CLocationDB::Notify(ClockChange change) const {
  if (m_listener) {
    m_listener(change);
  }
}

}  // namespace zw

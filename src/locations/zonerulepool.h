// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <memory>

#include "timecore/zonerule.h"

namespace zw {

class CLocation;

// One rule object for every set of places whose stored rules are equal: a large database
// holds a few hundred distinct rules among hundreds of thousands of places.
class CZoneRulePool {
 public:
  // Gives the place the pool's rule equal to its own, adding its rule when it is new.
  void Share(CLocation& place);
  // Gives the place the pool's rule with these fields, made when it is new, so a place read
  // from a file never makes a rule of its own first.
  void Give(CLocation& place, int offsetHours, int offsetMinutes, const DstRule& rule);
  // Forgets the pool's rules; places keep the ones they hold.
  void Clear() { m_rules.clear(); }
  std::size_t Count() const { return m_rules.size(); }

 private:
  using Key = std::array<int, 11>;
  static Key KeyOf(int offsetHours, int offsetMinutes, const DstRule& rule);

  std::map<Key, std::shared_ptr<CZoneRule>> m_rules;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace zw {

class IFileLayer;

// The day each currency's rate dates from, kept beside CURRENCY.DAT in a text file of its own
// ("YYYY-MM-DD name" per line), since the table's records have no room for it. A currency
// the file does not name has no known date.
class CRateDates {
 public:
  static constexpr std::string_view kFileName = "CURRENCY.DATES";
  static constexpr std::size_t kMaxBytes = 256 * 1024;

  // The dates in the file; none when it is missing, unreadable or too long. Lines that are
  // not a day, a space and a name are passed over.
  static CRateDates Load(IFileLayer& files);
  // Writes the whole file through a temporary one; false when it could not be written.
  bool Save(IFileLayer& files) const;

  // "YYYY-MM-DD", or empty.
  std::string DateOf(std::string_view name) const;
  void Set(const std::string& name, const std::string& date) { m_dates[name] = date; }

 private:
  std::map<std::string, std::string, std::less<>> m_dates;
};

}  // namespace zw

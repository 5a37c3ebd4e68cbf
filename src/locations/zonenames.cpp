// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonenames.h"

#include <array>

namespace zw {

namespace {

struct Named {
  int halfHours;  // offset in half hours east of GMT
  std::string_view names;
};

// The spellings are the ones users have always seen in this list.
constexpr std::array<Named, 29> kTable = {{
    {-22, "Midway Island, Samoa"},
    {-20, "Hawaii"},
    {-18, "Alaska"},
    {-16, "Pacific Time, Tijuana"},
    {-14, "Mountain Time"},
    {-12, "Central Time, Mexico City, Tegucigalpa, Saskatchewan"},
    {-10, "Eatern Time, Bogota, Lima"},
    {-8, "Atlantic Time, Caracas, La Paz"},
    {-7, "Newfoundland"},
    {-6, "Brasilia, Buenos Aires, Georgetown"},
    {-4, "Mid-Atlantic"},
    {-2, "Azores, Cape Verde Is."},
    {0, "Greenwich Mean Time; Dublin, Edinburgh, London"},
    {2,
     "Berlin, Stockholm, Rome, Bern, Brussels, Vienna, Amsterdam, Lisbon, Warsaw, Paris, "
     "Madrid, Prague"},
    {4, "Athens, Helsinki, Istanbul, Cairo, Eastern Europe, Harare, Pretoria, Israel"},
    {6, "Baghdad, Kuwait, Nairobi, Riyadh, Moscow, St.Petersburg"},
    {7, "Tehran"},
    {8, "Abu Dhabi, Muscat, Tbilisi, Kazan, Volgograd"},
    {9, "Kabul"},
    {10, "Islamabad, Karachi, Ekaterinburg, Tashkent"},
    {11, "Bombay, Calcutta, Madras, NewDelhi, Columbo"},
    {12, "Almaty, Dhaka"},
    {14, "Bangkok, Jakarta, Hanoi"},
    {16, "Beijing, Chongqing, Urumqi, Hong Kong, Perth, Singapore, Taipei"},
    {18, "Tokyo, Osaka, Sapporo, Seoul, Yakutsk"},
    {19, "Adelaide, Darwin"},
    {20, "Brisbane, Melbourne, Sydney, Guam, Port Moresby, Vladivostok, Hobart"},
    {22, "Magadan, Solomon Is., New Caledonia"},
    {24, "Fiji, Kamchatka, Marshall Is., Wellington, Auckland"},
}};

}  // namespace

std::string_view CZoneNames::Entry(int index) {
  const int halfHours = index - 22;
  for (const Named& n : kTable) {
    if (n.halfHours == halfHours) {
      return n.names;
    }
  }
  return {};
}

std::string_view CZoneNames::NamesOf(int hours, bool halfHour) {
  const int entry = EntryOf(hours);
  if (!halfHour) {
    return Entry(entry);
  }
  return Entry(hours <= 0 ? entry - 1 : entry + 1);
}

std::optional<std::string_view> CZoneNames::HalfHourLabel(int hours) {
  const int entry = EntryOf(hours);
  if (hours <= 0) {
    if (hours != kMinOffset && !Entry(entry - 1).empty()) {
      return "- 30min";
    }
    return std::nullopt;
  }
  if (!Entry(entry + 1).empty()) {
    return "+ 30min";
  }
  return std::nullopt;
}

int CZoneNames::Wrap(int hours) {
  if (hours > kMaxOffset) {
    return kMinOffset;
  }
  if (hours < kMinOffset) {
    return kMaxOffset;
  }
  return hours;
}

std::vector<std::string> CZoneNames::HourEntries(bool hour24) {
  std::vector<std::string> entries;
  for (int h = 0; h < 24; ++h) {
    const int shown = hour24 ? h : (h % 12 == 0 ? 12 : h % 12);
    std::string entry(shown < 10 ? 1 : 0, ' ');
    entry.append(std::to_string(shown)).append(":00");
    if (!hour24) {
      entry.append(h < 12 ? " AM" : " PM");
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/icaltext.h"

#include <array>

namespace zw::ical {

std::string Latin1ToUtf8(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out.push_back(c);
      continue;
    }
    out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
    out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
  }
  return out;
}

std::string Utf8ToLatin1(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    unsigned code = lead & 0x1Fu;
    std::size_t used = 1;
    // A sequence cut short ends before the byte that broke it, which is read afresh.
    for (; used < length && i + used < text.size(); ++used) {
      const auto next = static_cast<unsigned char>(text[i + used]);
      if ((next & 0xC0u) != 0x80u) {
        break;
      }
      code = (code << 6) | (next & 0x3Fu);
    }
    out.push_back(length == 2 && used == 2 && code < 0x100u ? static_cast<char>(code) : '?');
    i += used;
  }
  return out;
}

std::string_view WeekdayCode(int sundayIndex) {
  static constexpr std::array<std::string_view, 7> kCodes = {"SU", "MO", "TU", "WE",
                                                             "TH", "FR", "SA"};
  return kCodes[static_cast<std::size_t>(sundayIndex % 7)];
}

}  // namespace zw::ical

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zw {

// The data files hold Latin-1 bytes while terminals and JSON readers expect UTF-8, so texts
// change encoding at the program's edges: arguments on the way in, output on the way out.
class CLatin1 {
 public:
  static std::string ToUtf8(std::string_view latin1);
  // The Latin-1 form of a UTF-8 text whose characters all exist in Latin-1; any other text
  // is returned as it is, so bytes typed in a Latin-1 terminal still match.
  static std::string FromUtf8(std::string_view utf8);
  // The UTF-8 form of a message held in Latin-1 that may quote words of `typed`, the words
  // as the user typed them. A word FromUtf8 had to keep as typed is UTF-8 already and is
  // shown as it is, so a name that no data file can hold reads back the way it was written.
  static std::string MessageToUtf8(std::string_view message, const std::vector<std::string>& typed);
  // Well-formed UTF-8 holding a character beyond Latin-1: text FromUtf8 keeps as it is.
  static bool IsBeyondLatin1(std::string_view text);
  // Case folding of the letters Latin-1 knows, A-Z and the accented capitals.
  static char Lower(char c);
  static std::string Lower(std::string_view text);
  // Characters a UTF-8 text takes on screen, counting each code point once.
  static std::size_t Utf8Width(std::string_view utf8);
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zw {

// Search keys for place names that ignore case and accents, so "zurich" finds "Zürich" and
// "Łódź" finds the file's "Lodz". Names in the data files are Latin-1; what the user types
// is UTF-8. Two texts match when their folded forms are equal.
class CNameFolding {
 public:
  // Lower case without accents: "Ä" and "á" become "a", "ß" "ss", "Æ" "ae", "Þ" "th".
  static std::string FoldLatin1(std::string_view latin1);
  // The same for UTF-8, also for the Latin letters beyond Latin-1 ("Ł" becomes "l", "Ő" "o")
  // and for accents typed as combining marks. Any other character keeps its UTF-8 bytes, so it
  // can never match a Latin-1 name by accident; a malformed byte is kept as it is.
  static std::string FoldUtf8(std::string_view utf8);
  // FoldUtf8 when `text` is UTF-8 holding more than ASCII, else FoldLatin1: typed text may
  // already have been turned into Latin-1, or come from a Latin-1 terminal.
  static std::string FoldTyped(std::string_view text);
};

}  // namespace zw

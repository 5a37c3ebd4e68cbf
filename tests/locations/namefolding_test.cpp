// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/namefolding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using zw::CNameFolding;

namespace {

// Two bytes are enough for every code point below U+0800.
std::string Utf8(unsigned code) {
  if (code < 0x80) {
    return std::string(1, static_cast<char>(code));
  }
  return {static_cast<char>(0xC0 | (code >> 6)), static_cast<char>(0x80 | (code & 0x3F))};
}

}  // namespace

// A name typed in UTF-8 must find the same name stored as Latin-1, for every Latin-1 byte;
// every letter up to U+017F folds to plain small letters, a capital as its small letter does.
TEST(NameFolding, EveryLetterUpToLatinExtendedA) {
  for (unsigned code = 0; code <= 0x17F; ++code) {
    const std::string folded = CNameFolding::FoldTyped(Utf8(code));
    if (code < 0x100) {
      EXPECT_EQ(folded, CNameFolding::FoldLatin1(std::string(1, static_cast<char>(code)))) << code;
    }
    if (code >= 0xC0 && code != 0xD7 && code != 0xF7) {
      EXPECT_TRUE(
          std::all_of(folded.begin(), folded.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
          << code << " " << folded;
    }
    // Up to U+0137 Latin Extended-A pairs a capital with the small letter after it.
    if (code >= 0x100 && code < 0x138 && code % 2 == 0) {
      EXPECT_EQ(folded, CNameFolding::FoldUtf8(Utf8(code + 1))) << code;
    }
  }
}

TEST(NameFolding, NamesFromTheWorldMeetTheirFileSpelling) {
  EXPECT_EQ(CNameFolding::FoldTyped("\xC5\x81\xC3\xB3\x64\xC5\xBA"), "lodz");  // Łódź
  EXPECT_EQ(CNameFolding::FoldTyped("Zu\xCC\x88rich"), "zurich");  // combining diaeresis
  EXPECT_EQ(CNameFolding::FoldTyped("\xC6r\xF8sk\xF8"
                                    "bing"),
            "aeroskobing");  // Latin-1
  // Other scripts keep their bytes; broken UTF-8 is kept and does not overrun.
  EXPECT_EQ(CNameFolding::FoldUtf8("\xE6\x9D\xB1\xE4\xBA\xAC"), "\xE6\x9D\xB1\xE4\xBA\xAC");
  EXPECT_EQ(CNameFolding::FoldUtf8("A\xC5"), "a\xC5");
}

#include "locations/namefolding.h"

#include <gtest/gtest.h>

#include <string>

using zw::CNameFolding;

namespace {

std::string Utf8(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
  return out;
}

bool IsLowerAscii(const std::string& text) {
  for (const char c : text) {
    if (c < 'a' || c > 'z') {
      return false;
    }
  }
  return !text.empty();
}

}  // namespace

// A name typed in UTF-8 must find the same name stored as Latin-1, for every Latin-1 byte.
TEST(NameFolding, TypedAndStoredFormsOfEveryLatin1ByteAgree) {
  for (int byte = 0; byte < 256; ++byte) {
    const std::string stored(1, static_cast<char>(byte));
    EXPECT_EQ(CNameFolding::FoldUtf8(Utf8(static_cast<char32_t>(byte))),
              CNameFolding::FoldLatin1(stored))
        << byte;
    EXPECT_EQ(CNameFolding::FoldTyped(Utf8(static_cast<char32_t>(byte))),
              CNameFolding::FoldLatin1(stored))
        << byte;
  }
}

// Every letter from U+00C0 to U+017F (but the two signs) folds to plain lower-case letters,
// and a capital folds as its small letter does.
TEST(NameFolding, EveryAccentedLetterFoldsToPlainLettersAlikeInBothCases) {
  for (char32_t code = 0xC0; code <= 0x17F; ++code) {
    if (code == 0xD7 || code == 0xF7) {
      continue;
    }
    const std::string folded = CNameFolding::FoldUtf8(Utf8(code));
    EXPECT_TRUE(IsLowerAscii(folded)) << std::hex << static_cast<unsigned>(code) << " " << folded;
  }
  // In Latin Extended-A capitals come first in each pair, up to the run of U+0138.
  for (char32_t code = 0x100; code < 0x138; code += 2) {
    EXPECT_EQ(CNameFolding::FoldUtf8(Utf8(code)), CNameFolding::FoldUtf8(Utf8(code + 1)))
        << std::hex << static_cast<unsigned>(code);
  }
}

TEST(NameFolding, NamesFromTheWorldMeetTheirFileSpelling) {
  EXPECT_EQ(CNameFolding::FoldTyped("\xC5\x81\xC3\xB3\x64\xC5\xBA"), "lodz");  // Łódź
  EXPECT_EQ(CNameFolding::FoldTyped("Zu\xCC\x88rich"), "zurich");  // combining diaeresis
  EXPECT_EQ(CNameFolding::FoldTyped("Z\xFCrich"), "zurich");       // already Latin-1
  EXPECT_EQ(CNameFolding::FoldLatin1("\xC6r\xF8skobing"), "aeroskobing");
  // Other scripts keep their bytes; broken UTF-8 is kept and does not overrun.
  EXPECT_EQ(CNameFolding::FoldUtf8("\xE6\x9D\xB1\xE4\xBA\xAC"), "\xE6\x9D\xB1\xE4\xBA\xAC");
  EXPECT_EQ(CNameFolding::FoldUtf8("A\xC5"), "a\xC5");
}

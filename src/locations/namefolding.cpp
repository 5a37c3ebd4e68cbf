// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/namefolding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zw {

namespace {

// U+00C0..U+00FF in order; "" keeps the character (the multiplication and division signs).
constexpr std::array<const char*, 64> kLatin1Letters = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};

// U+0100..U+017F (Latin Extended-A) as runs of letters sharing one base.
struct Run {
  int count;
  const char* folded;
};
constexpr std::array<Run, 22> kExtendedRuns = {
    {{6, "a"}, {8, "c"},  {4, "d"},  {10, "e"}, {8, "g"}, {4, "h"},  {10, "i"}, {2, "ij"},
     {2, "j"}, {3, "k"},  {10, "l"}, {9, "n"},  {6, "o"}, {2, "oe"}, {6, "r"},  {8, "s"},
     {6, "t"}, {12, "u"}, {2, "w"},  {3, "y"},  {6, "z"}, {1, "s"}}};

constexpr char32_t kFirstExtended = 0x100;
constexpr char32_t kLastExtended = 0x17F;
constexpr char32_t kFirstCombining = 0x300;
constexpr char32_t kLastCombining = 0x36F;

void AppendLatin1(std::string& out, unsigned char byte) {
  if (byte >= 'A' && byte <= 'Z') {
    out.push_back(static_cast<char>(byte + ('a' - 'A')));
    return;
  }
  if (byte < 0xC0) {
    out.push_back(static_cast<char>(byte));
    return;
  }
  const char* folded = kLatin1Letters[byte - 0xC0];
  if (*folded == '\0') {
    out.push_back(static_cast<char>(byte));
    return;
  }
  out.append(folded);
}

const char* ExtendedLetter(char32_t code) {
  int offset = static_cast<int>(code - kFirstExtended);
  for (const Run& run : kExtendedRuns) {
    if (offset < run.count) {
      return run.folded;
    }
    offset -= run.count;
  }
  return nullptr;
}

// The code point of the well-formed sequence at `text[i]` and its length; nothing for a
// malformed one.
std::optional<std::pair<char32_t, std::size_t>> Decode(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (i + length > text.size()) {
    return std::nullopt;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    code = (code << 6) | (next & 0x3F);
  }
  return std::pair{code, length};
}

bool IsUtf8BeyondAscii(std::string_view text) {
  bool beyond = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const auto decoded = Decode(text, i);
    if (!decoded) {
      return false;
    }
    beyond = true;
    i += decoded->second;
  }
  return beyond;
}

}  // namespace

std::string CNameFolding::FoldLatin1(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char c : latin1) {
    AppendLatin1(out, static_cast<unsigned char>(c));
  }
  return out;
}

std::string CNameFolding::FoldUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const auto decoded = byte < 0x80 ? std::nullopt : Decode(utf8, i);
    if (!decoded) {
      // ASCII, or a stray byte kept as it came.
      out.push_back(byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + ('a' - 'A'))
                                               : static_cast<char>(byte));
      ++i;
      continue;
    }
    const auto [code, length] = *decoded;
    if (code <= 0xFF) {
      AppendLatin1(out, static_cast<unsigned char>(code));  // the same key as the file's byte
    } else if (code >= kFirstExtended && code <= kLastExtended) {
      out.append(ExtendedLetter(code));
    } else if (code < kFirstCombining || code > kLastCombining) {
      out.append(utf8.substr(i, length));
    }
    i += length;
  }
  return out;
}

std::string CNameFolding::FoldTyped(std::string_view text) {
  return IsUtf8BeyondAscii(text) ? FoldUtf8(text) : FoldLatin1(text);
}

}  // namespace zw

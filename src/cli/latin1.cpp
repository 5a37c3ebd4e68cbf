// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/latin1.h"

#include <algorithm>
#include <optional>

namespace zw {

namespace {

constexpr unsigned char kFirstNonAscii = 0x80;
constexpr unsigned char kTwoByteLead = 0xC0;
constexpr unsigned char kContinuationMask = 0xC0;
constexpr unsigned char kContinuation = 0x80;
constexpr unsigned char kLowSixBits = 0x3F;
// Lead bytes 0xC2 and 0xC3 carry exactly the code points 0x80..0xFF.
constexpr unsigned char kLatin1LeadLow = 0xC2;
constexpr unsigned char kLatin1LeadHigh = 0xC3;

std::optional<std::string> Latin1Of(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < kFirstNonAscii) {
      out.push_back(static_cast<char>(lead));
      continue;
    }
    if (lead != kLatin1LeadLow && lead != kLatin1LeadHigh) {
      return std::nullopt;
    }
    if (i + 1 >= utf8.size()) {
      return std::nullopt;
    }
    const auto next = static_cast<unsigned char>(utf8[++i]);
    if ((next & kContinuationMask) != kContinuation) {
      return std::nullopt;
    }
    out.push_back(static_cast<char>(((lead & 0x03) << 6) | (next & kLowSixBits)));
  }
  return out;
}

}  // namespace

bool CLatin1::IsBeyondLatin1(std::string_view text) {
  bool beyond = false;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if ((lead >= 0x80 && lead < kLatin1LeadLow) || lead > 0xF4 || i + length > text.size()) {
      return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & kContinuationMask) != kContinuation) {
        return false;
      }
    }
    beyond = beyond || lead > kLatin1LeadHigh;
    i += length;
  }
  return beyond;
}

std::string CLatin1::MessageToUtf8(std::string_view message,
                                   const std::vector<std::string>& typed) {
  std::vector<std::string_view> kept;
  for (const std::string& word : typed) {
    // An option's value may come after an equals sign in the same word.
    const std::string_view whole(word);
    const std::size_t equals = whole.find('=');
    for (const std::string_view part :
         {whole,
          equals == std::string_view::npos ? std::string_view() : whole.substr(equals + 1)}) {
      if (IsBeyondLatin1(part)) {
        kept.push_back(part);
      }
    }
  }
  // The longest first, so a word holding another is kept whole.
  std::sort(kept.begin(), kept.end(),
            [](std::string_view a, std::string_view b) { return a.size() > b.size(); });
  std::string out;
  for (std::size_t i = 0; i < message.size();) {
    const auto word = std::find_if(kept.begin(), kept.end(), [&](std::string_view k) {
      return message.substr(i, k.size()) == k;
    });
    if (word != kept.end()) {
      out.append(*word);
      i += word->size();
      continue;
    }
    out.append(ToUtf8(message.substr(i, 1)));
    ++i;
  }
  return out;
}

std::string CLatin1::ToUtf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < kFirstNonAscii) {
      out.push_back(c);
      continue;
    }
    out.push_back(static_cast<char>(kTwoByteLead | (byte >> 6)));
    out.push_back(static_cast<char>(kContinuation | (byte & kLowSixBits)));
  }
  return out;
}

std::string CLatin1::FromUtf8(std::string_view utf8) {
  std::optional<std::string> latin1 = Latin1Of(utf8);
  return latin1 ? std::move(*latin1) : std::string(utf8);
}

char CLatin1::Lower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  constexpr unsigned char kMultiplication = 0xD7;
  const bool asciiCapital = byte >= 'A' && byte <= 'Z';
  const bool accentedCapital = byte >= 0xC0 && byte <= 0xDE && byte != kMultiplication;
  return asciiCapital || accentedCapital ? static_cast<char>(byte + 0x20) : c;
}

std::string CLatin1::Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    c = Lower(c);
  }
  return out;
}

std::size_t CLatin1::Utf8Width(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & kContinuationMask) != kContinuation) {
      ++width;
    }
  }
  return width;
}

}  // namespace zw

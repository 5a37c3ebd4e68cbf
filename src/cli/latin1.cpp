#include "cli/latin1.h"

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

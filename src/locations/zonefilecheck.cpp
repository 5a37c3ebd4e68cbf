// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/zonefilecheck.h"

#include <algorithm>
#include <string_view>

#include "locations/zonefile.h"

namespace zw {

namespace {

constexpr std::string_view kPrefix = "The downloaded time zone file ";
constexpr std::string_view kSuffix = "  It was deleted; the current time zone file stays in use.";
constexpr std::size_t kMaxDigits = 5;

struct Range {
  int low;
  int high;
};

// Fields 4 to 14: offset hours and minutes, the DST flag, then ordinal, weekday, month and
// hour of the start and of the end.
constexpr Range kNumberRanges[] = {{-12, 14}, {-59, 59}, {0, 1}, {0, 4},  {0, 6}, {0, 11},
                                   {0, 23},   {0, 4},    {0, 6}, {0, 11}, {0, 23}};

// Reads one line (without its CR LF) field by field, strictly.
class LineScanner {
 public:
  explicit LineScanner(std::string_view line) : m_line(line) {}

  bool Char(char c) {
    if (m_at >= m_line.size() || m_line[m_at] != c) {
      return false;
    }
    ++m_at;
    return true;
  }

  bool Number(Range range) {
    const bool negative = Char('-');
    const std::size_t start = m_at;
    int value = 0;
    while (m_at < m_line.size() && m_at - start < kMaxDigits && IsDigit(m_line[m_at])) {
      value = value * 10 + (m_line[m_at++] - '0');
    }
    value = negative ? -value : value;
    return m_at > start && value >= range.low && value <= range.high;
  }

  // A quoted text the reader takes as it stands: no control characters, no blank at its
  // end, not longer than the reader keeps.
  bool Text() {
    if (!Char('"')) {
      return false;
    }
    const std::size_t close = m_line.find('"', m_at);
    if (close == std::string_view::npos) {
      return false;
    }
    const std::string_view text = m_line.substr(m_at, close - m_at);
    m_at = close + 1;
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
      const auto byte = static_cast<std::uint8_t>(c);
      return byte < ' ' || byte == 0x7F;
    });
    return !control && text.size() <= CZoneFile::kMaxTextLength &&
           (text.empty() || text.back() != ' ');
  }

  bool AtEnd() const { return m_at == m_line.size(); }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

  std::string_view m_line;
  std::size_t m_at = 0;
};

bool IsWellFormed(std::string_view line) {
  LineScanner scan(line);
  if (!scan.Number({1, 2}) || !scan.Char(',') || !scan.Text() || !scan.Char(',') || !scan.Text()) {
    return false;
  }
  for (const Range range : kNumberRanges) {
    if (!scan.Char(',') || !scan.Number(range)) {
      return false;
    }
  }
  return scan.AtEnd();
}

// The first line, from 1, that is not a well-formed line ending in CR LF; 0 when all are.
std::size_t FirstBadLine(std::string_view text) {
  std::size_t line = 1;
  for (std::size_t start = 0; start < text.size(); ++line) {
    const std::size_t feed = text.find('\n', start);
    if (feed == std::string_view::npos) {
      return line;
    }
    const std::string_view whole = text.substr(start, feed - start);
    if (whole.empty() || whole.back() != '\r' || !IsWellFormed(whole.substr(0, whole.size() - 1))) {
      return line;
    }
    start = feed + 1;
  }
  return 0;
}

// The first line, from 1, out of the file's order; 0 when all are in order.
std::size_t FirstLineOutOfOrder(std::span<const std::uint8_t> bytes) {
  CZoneFile file(bytes, false, {});
  CZoneFile::Record record;
  for (;;) {
    const CZoneFile::Status status = file.Next(record);
    if (status == CZoneFile::Status::kEnd) {
      return 0;
    }
    if (status != CZoneFile::Status::kRecord) {
      return file.Line();
    }
  }
}

}  // namespace

std::size_t CZoneFileCheck::CountLines(std::span<const std::uint8_t> bytes) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), std::uint8_t{'\n'}));
}

CZoneFileCheck::Result CZoneFileCheck::Check(std::span<const std::uint8_t> bytes, bool truncated,
                                             std::size_t currentLines) {
  Result result;
  result.lines = CountLines(bytes);
  if (truncated || bytes.size() > kMaxBytes) {
    result.verdict = Verdict::kTooLarge;
    return result;
  }
  if (bytes.empty()) {
    result.verdict = Verdict::kEmpty;
    return result;
  }
  if (bytes.back() != '\n') {
    result.verdict = Verdict::kUnfinished;
    result.line = result.lines + 1;
    return result;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if ((result.line = FirstBadLine(text)) != 0) {
    result.verdict = Verdict::kBadLine;
    return result;
  }
  if ((result.line = FirstLineOutOfOrder(bytes)) != 0) {
    result.verdict = Verdict::kOutOfOrder;
    return result;
  }
  if (result.lines * 100 < currentLines * kMinSharePercent) {
    result.verdict = Verdict::kTooShort;
  }
  return result;
}

std::string CZoneFileCheck::Message(const Result& result, std::size_t currentLines) {
  std::string text(kPrefix);
  const std::string line = std::to_string(result.line);
  switch (result.verdict) {
    case Verdict::kGood:
      return {};
    case Verdict::kEmpty:
      text += "is empty.";
      break;
    case Verdict::kTooLarge:
      text += "is larger than " + std::to_string(kMaxBytes >> 20) + " MB.";
      break;
    case Verdict::kUnfinished:
      text += "ends in the middle of line " + line + ".";
      break;
    case Verdict::kBadLine:
      text += "is damaged at line " + line + ".";
      break;
    case Verdict::kOutOfOrder:
      text += "is out of order at line " + line + ".";
      break;
    case Verdict::kTooShort:
      text += "has " + std::to_string(result.lines) + " lines where the current one has " +
              std::to_string(currentLines) + ".";
      break;
  }
  return text + std::string(kSuffix);
}

}  // namespace zw

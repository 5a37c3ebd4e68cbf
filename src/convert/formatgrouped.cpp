// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formatgrouped.h"

namespace zw {

namespace {

std::string WithoutCommas(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (c != ',') {
      kept += c;
    }
  }
  return kept;
}

std::string Grouped(std::string_view digits) {
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (digits.size() - i) % 3 == 0) {
      grouped += ',';
    }
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

std::string FormatGrouped(std::string_view text, std::string_view current) {
  const std::string_view source = text.empty() ? current : text;
  const std::size_t period = source.find('.');
  std::string integer = WithoutCommas(source.substr(0, period));
  std::string out;
  // A sign is no digit: grouping it would give "-,123".
  if (!integer.empty() && (integer.front() == '-' || integer.front() == '+')) {
    out += integer.front();
    integer.erase(0, 1);
  }
  out += Grouped(integer);
  if (period != std::string_view::npos) {
    out += source.substr(period);
  }
  return out;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hourswitch.h"

namespace zw {

int CHourSwitch::Parse(std::string_view commandLine, bool& invalid) {
  invalid = false;
  const std::size_t at = commandLine.find("/H");
  if (at == std::string_view::npos) {
    return 0;
  }
  const std::string_view rest = commandLine.substr(at + 2);
  if (rest.empty() || (rest[0] != '+' && rest[0] != '-')) {
    invalid = true;
    return 0;
  }
  const bool negative = rest[0] == '-';
  int value = 0;
  for (std::size_t i = 1; i < rest.size() && i <= 2; ++i) {
    if (rest[i] < '0' || rest[i] > '9') {
      break;
    }
    value = value * 10 + (rest[i] - '0');
  }
  if (value > 23) {
    invalid = true;
    return 0;
  }
  return negative ? -value : value;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zw {

// Texts in stored records live in fixed byte fields, zero-terminated when shorter. A field
// written elsewhere may lack its terminator: reading then ends at the field.
template <std::size_t N>
std::string FixedText(const char (&field)[N]) {
  std::size_t n = 0;
  while (n < N && field[n] != '\0') {
    ++n;
  }
  return std::string(field, n);
}

// Cuts to N - 1 bytes and zero-fills the rest, so no stale bytes reach the file.
template <std::size_t N>
void SetFixedText(char (&field)[N], std::string_view value) {
  const std::size_t n = value.size() < N - 1 ? value.size() : N - 1;
  for (std::size_t i = 0; i < N; ++i) {
    field[i] = i < n ? value[i] : '\0';
  }
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zw {

struct ClockSettings;

// The one place that knows how ClockSettings lie in the 1928-byte stored record.
//
// Flags are read as the record has always been read: the title bar, toolbar and keep-on-top
// flags are on only at 8, automatic sizing only at 1, every other flag at any value but 0.
// A display mode or date order the program does not know reads as the last choice of the
// Format page (date and time, year first).
class CSettingsCodec {
 public:
  static constexpr std::size_t kRecordSize = 1928;
  // The longest log file name the record holds whole.
  static constexpr std::size_t kLogFileNameBytes = 259;
  using Image = std::array<std::uint8_t, kRecordSize>;

  static ClockSettings Decode(const Image& image);
  // Writes `values` over `image`. A field whose bytes already read as its value keeps them,
  // so reserved and padding bytes, bytes after a text's terminator and other spellings of a
  // flag go back to the file as they came.
  static void Encode(const ClockSettings& values, Image& image);
  // The record of a fresh installation.
  static Image DefaultImage();
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bit>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "convert/currencyfile.h"
#include "support/memorystore.h"

namespace zw::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

// One CURRENCY.DAT record: the marker, the name NUL-padded to its 39 bytes (a longer one
// fills them without a NUL), the rate little-endian.
inline Bytes CurrencyRecord(std::string_view name, double rate) {
  Bytes record(CCurrencyFile::kRecordSize, 0);
  record[0] = CCurrencyFile::kRecordMarker;
  for (std::size_t i = 0; i < name.size() && i < CCurrencyFile::kNameBytes; ++i) {
    record[1 + i] = static_cast<std::uint8_t>(name[i]);
  }
  auto bits = std::bit_cast<std::uint64_t>(rate);
  for (std::size_t i = 0; i < 8; ++i) {
    record[CCurrencyFile::kRateOffset + i] = static_cast<std::uint8_t>(bits & 0xff);
    bits >>= 8;
  }
  return record;
}

inline Bytes CurrencyDescription(std::string_view text) {
  Bytes bytes = ToBytes(text);
  bytes.insert(bytes.begin(), CCurrencyFile::kDescriptionMarker);
  bytes.push_back(0);
  return bytes;
}

inline void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zw::test

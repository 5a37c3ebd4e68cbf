#pragma once

#include <bit>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/currencyfile.h"
#include "settings/settingsstore.h"

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

// Settings values kept in memory; counts the writes so a test sees whether a save happened.
class MemoryStore final : public ISettingsStore {
 public:
  std::optional<std::vector<std::uint8_t>> Read(const std::string& name,
                                                std::size_t maxBytes) override {
    const auto it = m_values.find(name);
    if (it == m_values.end() || it->second.size() > maxBytes) {
      return std::nullopt;
    }
    return it->second;
  }
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes) override {
    m_values[name].assign(bytes.begin(), bytes.end());
    ++m_writes;
    return true;
  }

  int Writes() const { return m_writes; }
  // The bytes of a value, empty when it was never written.
  Bytes Value(const std::string& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? Bytes{} : it->second;
  }

 private:
  std::map<std::string, Bytes> m_values;
  int m_writes = 0;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "settings/settingsstore.h"

namespace zw::test {

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
  std::vector<std::uint8_t> Value(const std::string& name) const {
    const auto it = m_values.find(name);
    return it == m_values.end() ? std::vector<std::uint8_t>{} : it->second;
  }

 private:
  std::map<std::string, std::vector<std::uint8_t>> m_values;
  int m_writes = 0;
};

}  // namespace zw::test

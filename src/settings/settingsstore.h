// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zw {

// Named raw values that outlive the program: "BinSet" (the settings record) and "InstData"
// (the instance record).
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // The value, or nothing when it is missing, unreadable or longer than maxBytes.
  virtual std::optional<std::vector<std::uint8_t>> Read(const std::string& name,
                                                        std::size_t maxBytes) = 0;
  virtual bool Write(const std::string& name, std::span<const std::uint8_t> bytes) = 0;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "settings/settingsstore.h"

namespace zw {

class IFileLayer;

// Keeps each value as a file of its name, byte for byte, in one per-user directory.
class CFileSettingsStore final : public ISettingsStore {
 public:
  CFileSettingsStore(IFileLayer& files, std::string directory);

  // Moves each named value kept in `oldDirectory` here, once: a value this store already
  // holds is left where it is. A rename that cannot be done becomes a copy that is made
  // durable before the old file goes, so a failed move leaves the old value in place.
  void AdoptFrom(const std::string& oldDirectory, std::initializer_list<std::string_view> names);

  std::optional<std::vector<std::uint8_t>> Read(const std::string& name,
                                                std::size_t maxBytes) override;
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes) override;

  const std::string& Directory() const { return m_directory; }

 private:
  std::string PathOf(const std::string& name) const;
  void Adopt(const std::string& from, const std::string& to);

  IFileLayer& m_files;
  std::string m_directory;
};

}  // namespace zw

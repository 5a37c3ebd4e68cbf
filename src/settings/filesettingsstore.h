#pragma once

#include <string>

#include "settings/settingsstore.h"

namespace zw {

class IFileLayer;

// Keeps each value as a file of its name, byte for byte, in one per-user directory.
class CFileSettingsStore final : public ISettingsStore {
 public:
  CFileSettingsStore(IFileLayer& files, std::string directory);

  // $XDG_CONFIG_HOME/Velloran/Zonewright/2.0/SETTINGS, with $HOME/.config standing in for an
  // unset or relative XDG_CONFIG_HOME.
  static std::string DefaultDirectory();

  std::optional<std::vector<std::uint8_t>> Read(const std::string& name,
                                                std::size_t maxBytes) override;
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes) override;

  const std::string& Directory() const { return m_directory; }

 private:
  std::string PathOf(const std::string& name) const;

  IFileLayer& m_files;
  std::string m_directory;
};

}  // namespace zw

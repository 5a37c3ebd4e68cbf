#include "settings/filesettingsstore.h"

#include <cstdlib>

#include "platform/filelayer.h"

namespace zw {

CFileSettingsStore::CFileSettingsStore(IFileLayer& files, std::string directory)
    : m_files(files), m_directory(std::move(directory)) {}

std::string CFileSettingsStore::DefaultDirectory() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/Velloran/Zonewright/2.0/SETTINGS";
}

std::string CFileSettingsStore::PathOf(const std::string& name) const {
  return m_directory + "/" + name;
}

std::optional<std::vector<std::uint8_t>> CFileSettingsStore::Read(const std::string& name,
                                                                  std::size_t maxBytes) {
  ReadResult result = m_files.Read(PathOf(name), maxBytes);
  if (result.cause != FileCause::kNone || result.truncated) {
    return std::nullopt;
  }
  return std::move(result.bytes);
}

bool CFileSettingsStore::Write(const std::string& name, std::span<const std::uint8_t> bytes) {
  if (m_files.MakeDirectories(m_directory) != FileCause::kNone) {
    return false;
  }
  return SaveAtomically(m_files, PathOf(name), bytes).Ok();
}

}  // namespace zw

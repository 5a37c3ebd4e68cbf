#include "settings/datadirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zw {

namespace {

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string CDataDirectory::Choose() {
  const std::string explicitDir = FromEnvironment("ZONEWRIGHT_DATA_DIR");
  if (!explicitDir.empty()) {
    return explicitDir;
  }
  const std::string dataHome = FromEnvironment("XDG_DATA_HOME");
  if (!dataHome.empty() && dataHome[0] == '/') {
    return dataHome + "/zonewright";
  }
  return FromEnvironment("HOME") + "/.local/share/zonewright";
}

bool CDataDirectory::Enter(const std::string& directory, const std::vector<std::string>& sources) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(directory, error);
  for (std::string_view name : kSuppliedFiles) {
    const fs::path target = fs::path(directory) / name;
    if (fs::exists(target, error)) {
      continue;
    }
    for (const std::string& source : sources) {
      const fs::path from = fs::path(source) / name;
      if (fs::is_regular_file(from, error) &&
          fs::copy_file(from, target, fs::copy_options::skip_existing, error)) {
        break;
      }
    }
  }
  fs::current_path(directory, error);
  return !error;
}

}  // namespace zw

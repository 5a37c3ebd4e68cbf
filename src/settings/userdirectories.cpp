// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/userdirectories.h"

#include <cstdlib>

namespace zw {

std::string CUserDirectories::Base(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') {
    return value;
  }
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/" + fallback;
}

std::string CUserDirectories::Config() {
  return Base("XDG_CONFIG_HOME", ".config") + "/zonewright";
}

std::string CUserDirectories::LegacyConfig() {
  return Base("XDG_CONFIG_HOME", ".config") + "/Velloran/Zonewright/2.0/SETTINGS";
}

std::string CUserDirectories::State() {
  return Base("XDG_STATE_HOME", ".local/state") + "/zonewright";
}

std::string CUserDirectories::Cache() {
  return Base("XDG_CACHE_HOME", ".cache") + "/zonewright";
}

}  // namespace zw

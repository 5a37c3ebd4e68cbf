// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// The per-user directories of the freedesktop base directory rules.
class CUserDirectories {
 public:
  // $XDG_CONFIG_HOME/zonewright, else ~/.config/zonewright: the settings records.
  static std::string Config();
  // Where the records were kept before they moved to Config().
  static std::string LegacyConfig();
  // $XDG_STATE_HOME/zonewright, else ~/.local/state/zonewright: the log of started programs
  // unless the user names a directory for it.
  static std::string State();
  // $XDG_CACHE_HOME/zonewright, else ~/.cache/zonewright: what can be made again at any time.
  static std::string Cache();

 private:
  // $variable when it holds an absolute path, else $HOME/fallback. A relative value is
  // ignored, as the base directory rules ask.
  static std::string Base(const char* variable, const char* fallback);
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// "Start at login": an XDG autostart entry for the program. The entry itself is the only
// record of the choice, so a user who removes it by hand has switched it off.
class CAutostart {
 public:
  static constexpr const char* kFileName = "io.github.zonewright.Zonewright.desktop";

  // $XDG_CONFIG_HOME/autostart/io.github.zonewright.Zonewright.desktop
  static std::string DefaultPath();

  explicit CAutostart(std::string path) : m_path(std::move(path)) {}

  // An entry is there and not switched off (Hidden=true or X-GNOME-Autostart-enabled=false).
  bool IsEnabled() const;
  // Writes the entry to start `program` (an absolute path) with no arguments; false when it
  // could not be written.
  bool Enable(const std::string& program) const;
  // Removes the entry; true when none is left.
  bool Disable() const;

  // The Exec value that starts `program`: quoted when it holds characters the desktop entry
  // rules reserve, escaped for the value's own string rules, with '%' doubled.
  static std::string ExecValue(const std::string& program);

 private:
  std::string m_path;
};

}  // namespace zw

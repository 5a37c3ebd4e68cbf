// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zw {

// How an alarm with a message reaches the user: the program's own box, a desktop
// notification, or both. A notification that cannot be raised always falls back to the box.
enum class AlertStyle { kBox, kNotification, kBoth };

// The desktop choices that have no place in the settings record, kept as key=value lines in
// a small text file of their own, so the record's layout stays as it is.
struct DesktopPrefs {
  AlertStyle alerts = AlertStyle::kBoth;
  // Closing the clock window leaves the program running in the tray.
  bool closeToTray = false;
  // Clock lines whose place changes its offset within a week carry a mark.
  bool markChanges = true;
  // "Synchronize Time"'s server ("ntp:host", "daytime:host", or a bare host for Daytime);
  // empty for the program's default.
  std::string timeServer;
  // Where "Update Database" takes exchange rates from; empty for the program's default.
  std::string ratesSource;
};

class CDesktopPrefsFile {
 public:
  static constexpr const char* kFileName = "desktop.conf";
  // Larger files are not ours: they are neither read nor replaced.
  static constexpr std::size_t kMaxBytes = 64 * 1024;
  // A longer address is no address: the key keeps its default.
  static constexpr std::size_t kMaxAddressBytes = 2048;

  // $XDG_CONFIG_HOME/zonewright/desktop.conf
  static std::string DefaultPath();

  explicit CDesktopPrefsFile(std::string path) : m_path(std::move(path)) {}

  // The choices in the file; defaults for a missing file and for keys or values it does not
  // know. A file that exists but cannot be read is remembered, so Save never replaces it.
  DesktopPrefs Load();
  // Writes the whole file anew through a temporary file, so a crash leaves the old one; false
  // when it could not be written or must not be replaced.
  bool Save(const DesktopPrefs& prefs);

  static const char* StyleName(AlertStyle style);

 private:
  std::string m_path;
  bool m_unreadable = false;
};

}  // namespace zw

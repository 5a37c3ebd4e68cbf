// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/autostart.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "settings/smallfile.h"
#include "settings/userdirectories.h"

namespace zw {

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

bool SaysOff(const std::string& line) {
  return line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false";
}

}  // namespace

std::string CAutostart::DefaultPath() {
  // The autostart folder sits beside the program's own configuration folder.
  const std::filesystem::path configHome =
      std::filesystem::path(CUserDirectories::Config()).parent_path();
  return (configHome / "autostart" / kFileName).string();
}

std::string CAutostart::ExecValue(const std::string& program) {
  std::string argument;
  const bool quoted = program.find_first_of(kReserved) != std::string::npos;
  for (const char c : program) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) {
      argument += '\\';
    }
    argument += c;
    if (c == '%') {
      argument += '%';
    }
  }
  if (quoted) {
    argument = '"' + argument + '"';
  }
  // The value is a string first: each backslash of the quoting is itself escaped.
  std::string value;
  for (const char c : argument) {
    value += c == '\\' ? "\\\\" : std::string(1, c);
  }
  return value;
}

bool CAutostart::IsEnabled() const {
  std::error_code error;
  if (!std::filesystem::is_regular_file(m_path, error) ||
      std::filesystem::file_size(m_path, error) > kMaxEntryBytes || error) {
    return false;
  }
  std::ifstream in(m_path);
  std::string line;
  while (std::getline(in, line)) {
    if (SaysOff(line)) {
      return false;
    }
  }
  return static_cast<bool>(in.eof());
}

bool CAutostart::Enable(const std::string& program) const {
  return WriteFileAtomically(m_path,
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Zonewright\n"
                             "Comment=World clock with alarms\n"
                             "Icon=zonewright\n"
                             "Exec=" +
                                 ExecValue(program) +
                                 "\n"
                                 "Terminal=false\n"
                                 "X-GNOME-Autostart-enabled=true\n");
}

bool CAutostart::Disable() const {
  std::error_code error;
  std::filesystem::remove(m_path, error);
  return !error && !std::filesystem::exists(m_path, error);
}

}  // namespace zw

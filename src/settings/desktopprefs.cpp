// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/desktopprefs.h"

#include <array>
#include <sstream>
#include <utility>

#include "settings/smallfile.h"
#include "settings/userdirectories.h"

namespace zw {

namespace {

constexpr std::array<std::pair<AlertStyle, const char*>, 3> kStyles{{
    {AlertStyle::kBox, "box"},
    {AlertStyle::kNotification, "notification"},
    {AlertStyle::kBoth, "both"},
}};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

void Apply(DesktopPrefs& prefs, const std::string& key, const std::string& value) {
  if (key == "alerts") {
    for (const auto& [style, name] : kStyles) {
      if (value == name) {
        prefs.alerts = style;
      }
    }
  } else if (key == "close-to-tray" && (value == "true" || value == "false")) {
    prefs.closeToTray = value == "true";
  } else if (key == "mark-changes" && (value == "true" || value == "false")) {
    prefs.markChanges = value == "true";
  } else if (value.size() <= CDesktopPrefsFile::kMaxAddressBytes) {
    if (key == "time-server") {
      prefs.timeServer = value;
    } else if (key == "rates-source") {
      prefs.ratesSource = value;
    }
  }
}

}  // namespace

std::string CDesktopPrefsFile::DefaultPath() {
  return CUserDirectories::Config() + "/" + kFileName;
}

const char* CDesktopPrefsFile::StyleName(AlertStyle style) {
  for (const auto& [known, name] : kStyles) {
    if (known == style) {
      return name;
    }
  }
  return kStyles.back().second;
}

DesktopPrefs CDesktopPrefsFile::Load() {
  DesktopPrefs prefs;
  const SmallFileLines file = ReadSmallFile(m_path, kMaxBytes);
  m_unreadable = file.unreadable;
  for (const std::string& line : file.lines) {
    const auto equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) {
      continue;
    }
    Apply(prefs, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
  }
  return prefs;
}

bool CDesktopPrefsFile::Save(const DesktopPrefs& prefs) {
  if (m_unreadable) {
    return false;
  }
  std::ostringstream out;
  out << "alerts=" << StyleName(prefs.alerts) << '\n'
      << "close-to-tray=" << (prefs.closeToTray ? "true" : "false") << '\n'
      << "mark-changes=" << (prefs.markChanges ? "true" : "false") << '\n';
  // Unset addresses stay unwritten, so a later default reaches this user too; one with a
  // line break would read back as other keys.
  for (const auto& [key, value] : {std::pair{"time-server=", &prefs.timeServer},
                                   std::pair{"rates-source=", &prefs.ratesSource}}) {
    if (!value->empty() && value->find_first_of("\r\n") == std::string::npos) {
      out << key << *value << '\n';
    }
  }
  return WriteFileAtomically(m_path, out.str());
}

}  // namespace zw

#include "settings/desktopprefs.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

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
  std::error_code error;
  m_unreadable = false;
  if (!std::filesystem::exists(m_path, error)) {
    m_unreadable = static_cast<bool>(error);
    return prefs;
  }
  const auto size = std::filesystem::file_size(m_path, error);
  std::ifstream in(m_path, std::ios::binary);
  if (error || size > kMaxBytes || !in) {
    m_unreadable = true;
    return prefs;
  }
  std::string line;
  while (std::getline(in, line)) {
    const auto equals = line.find('=');
    if (line.empty() || line[0] == '#' || equals == std::string::npos) {
      continue;
    }
    Apply(prefs, Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
  }
  m_unreadable = in.bad();
  return prefs;
}

bool CDesktopPrefsFile::Save(const DesktopPrefs& prefs) {
  if (m_unreadable) {
    return false;
  }
  const std::filesystem::path path(m_path);
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const std::string temporary = m_path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << "alerts=" << StyleName(prefs.alerts) << '\n'
        << "close-to-tray=" << (prefs.closeToTray ? "true" : "false") << '\n';
    // Unset addresses stay unwritten, so a later default reaches this user too; one with a
    // line break would read back as other keys.
    for (const auto& [key, value] : {std::pair{"time-server=", &prefs.timeServer},
                                     std::pair{"rates-source=", &prefs.ratesSource}}) {
      if (!value->empty() && value->find_first_of("\r\n") == std::string::npos) {
        out << key << *value << '\n';
      }
    }
    if (!out.flush()) {
      std::filesystem::remove(temporary, error);
      return false;
    }
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/smallfile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace zw {

SmallFileLines ReadSmallFile(const std::string& path, std::uintmax_t maxBytes) {
  SmallFileLines file;
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    file.unreadable = static_cast<bool>(error);
    return file;
  }
  const auto size = std::filesystem::file_size(path, error);
  std::ifstream in(path, std::ios::binary);
  if (error || size > maxBytes || !in) {
    file.unreadable = true;
    return file;
  }
  std::string line;
  while (std::getline(in, line)) {
    file.lines.push_back(line);
  }
  file.unreadable = in.bad();
  return file;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  const std::string temporary = path + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << content;
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/besideprogram.h"

#include <filesystem>
#include <system_error>

namespace zw {

std::string BesideProgram(const std::string& relative) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return (self.parent_path() / ".." / relative).string();
}

}  // namespace zw

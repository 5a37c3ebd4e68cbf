// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace zw::test {

// Enters a directory for the lifetime of the object, so code that opens files by bare name
// works on a test's own files; the previous working directory comes back afterwards.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& directory) : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~ScopedCwd() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
  }
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::filesystem::path m_previous;
};

}  // namespace zw::test

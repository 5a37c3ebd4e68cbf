// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/readonlyfiles.h"

#include "settings/datadirectory.h"

namespace zw {

namespace {

std::string Join(const std::string& directory, const std::string& name) {
  std::string path = directory;
  path.push_back('/');
  path.append(name);
  return path;
}

}  // namespace

CReadOnlyFiles::CReadOnlyFiles(std::string directory, std::vector<std::string> fallbacks)
    : m_directory(std::move(directory)), m_fallbacks(std::move(fallbacks)) {}

bool CReadOnlyFiles::IsSupplied(const std::string& name) {
  for (const std::string_view supplied : CDataDirectory::kSuppliedFiles) {
    if (name == supplied) {
      return true;
    }
  }
  return false;
}

std::string CReadOnlyFiles::Resolve(const std::string& path) {
  if (!path.empty() && path.front() == '/') {
    return path;
  }
  const std::string own = Join(m_directory, path);
  if (!IsSupplied(path) || m_files.Exists(own)) {
    return own;
  }
  for (const std::string& fallback : m_fallbacks) {
    std::string supplied = Join(fallback, path);
    if (m_files.Exists(supplied)) {
      return supplied;
    }
  }
  return own;
}

ReadResult CReadOnlyFiles::Read(const std::string& path, std::size_t maxBytes) {
  return m_files.Read(Resolve(path), maxBytes);
}

FileError CReadOnlyFiles::Write(const std::string&, std::span<const std::uint8_t>) {
  return FileError{};
}

FileError CReadOnlyFiles::Append(const std::string&, std::span<const std::uint8_t>) {
  return FileError{};
}

FileCause CReadOnlyFiles::Rename(const std::string&, const std::string&) {
  return FileCause::kNone;
}

FileCause CReadOnlyFiles::Remove(const std::string&) {
  return FileCause::kNone;
}

bool CReadOnlyFiles::Exists(const std::string& path) {
  return m_files.Exists(Resolve(path));
}

FileCause CReadOnlyFiles::MakeDirectories(const std::string&) {
  return FileCause::kNone;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/filesettingsstore.h"

#include "platform/filelayer.h"

namespace zw {

CFileSettingsStore::CFileSettingsStore(IFileLayer& files, std::string directory)
    : m_files(files), m_directory(std::move(directory)) {}

namespace {

// Far above any record the program keeps; a bigger file is not one of them.
constexpr std::size_t kMaxAdoptedBytes = 64 * 1024;

}  // namespace

void CFileSettingsStore::AdoptFrom(const std::string& oldDirectory,
                                   std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    const std::string from = oldDirectory + "/" + std::string(name);
    const std::string to = PathOf(std::string(name));
    if (m_files.Exists(to) || !m_files.Exists(from)) {
      continue;
    }
    Adopt(from, to);
  }
}

void CFileSettingsStore::Adopt(const std::string& from, const std::string& to) {
  if (m_files.MakeDirectories(m_directory) != FileCause::kNone) {
    return;
  }
  if (m_files.Rename(from, to) == FileCause::kNone) {
    return;
  }
  // Another file system, most likely: copy, and let the old file go only once the copy is
  // safely on disk.
  const ReadResult old = m_files.Read(from, kMaxAdoptedBytes);
  if (old.stage != FileStage::kNone || old.truncated) {
    return;
  }
  if (SaveAtomically(m_files, to, old.bytes).Ok()) {
    m_files.Remove(from);
  }
}

std::string CFileSettingsStore::PathOf(const std::string& name) const {
  return m_directory + "/" + name;
}

std::optional<std::vector<std::uint8_t>> CFileSettingsStore::Read(const std::string& name,
                                                                  std::size_t maxBytes) {
  ReadResult result = m_files.Read(PathOf(name), maxBytes);
  if (result.cause != FileCause::kNone || result.truncated) {
    return std::nullopt;
  }
  return std::move(result.bytes);
}

bool CFileSettingsStore::Write(const std::string& name, std::span<const std::uint8_t> bytes) {
  if (m_files.MakeDirectories(m_directory) != FileCause::kNone) {
    return false;
  }
  return SaveAtomically(m_files, PathOf(name), bytes).Ok();
}

}  // namespace zw

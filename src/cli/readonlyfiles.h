// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/filelayer.h"
#include "platform/posixfilelayer.h"

namespace zw {

// The data directory as zw sees it: files are read there by their bare names, and nothing
// is ever written. The only writer the loaders reach is the zone file intake of a
// downloaded update, which the clock performs at its next start; here the writes are
// dropped and reported as done, so the updated data is shown without a false alarm.
//
// A supplied file (zones, currencies, measures) missing from the directory is read from
// the first of the fallback directories that has it, the same places the clock copies it
// from, so zw works before the clock has ever run.
class CReadOnlyFiles final : public IFileLayer {
 public:
  CReadOnlyFiles(std::string directory, std::vector<std::string> fallbacks);

  ReadResult Read(const std::string& path, std::size_t maxBytes) override;
  FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileCause Rename(const std::string& from, const std::string& to) override;
  FileCause Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  FileCause MakeDirectories(const std::string& path) override;

  // Where a name is read from.
  std::string Resolve(const std::string& path);
  const std::string& Directory() const { return m_directory; }

 private:
  static bool IsSupplied(const std::string& name);

  std::string m_directory;
  std::vector<std::string> m_fallbacks;
  CPosixFileLayer m_files;
};

}  // namespace zw

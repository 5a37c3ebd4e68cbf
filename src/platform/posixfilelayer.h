// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/filelayer.h"

namespace zw {

class CPosixFileLayer final : public IFileLayer {
 public:
  ReadResult Read(const std::string& path, std::size_t maxBytes) override;
  FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileCause Rename(const std::string& from, const std::string& to) override;
  FileCause Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  FileCause MakeDirectories(const std::string& path) override;

 private:
  static FileError WriteWith(const std::string& path, int flags,
                             std::span<const std::uint8_t> bytes);
};

}  // namespace zw

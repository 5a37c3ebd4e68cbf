#pragma once

#include "platform/filelayer.h"

namespace zw {

class CPosixFileLayer final : public IFileLayer {
 public:
  ReadResult Read(const std::string& path, std::size_t maxBytes) override;
  FileCause Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileCause Rename(const std::string& from, const std::string& to) override;
  FileCause Remove(const std::string& path) override;
  bool Exists(const std::string& path) override;
  FileCause MakeDirectories(const std::string& path) override;
};

}  // namespace zw

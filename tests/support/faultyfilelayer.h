#pragma once

#include "platform/posixfilelayer.h"

namespace zw::test {

// The real file layer, except that the n-th write or rename (counted from 1) can be made to
// fail with a chosen cause.
class FaultyFileLayer final : public IFileLayer {
 public:
  void FailWrite(int n, FileCause cause) {
    m_failWrite = n;
    m_writeCause = cause;
  }
  void FailRename(int n, FileCause cause) {
    m_failRename = n;
    m_renameCause = cause;
  }
  int Writes() const { return m_writes; }
  int Renames() const { return m_renames; }

  ReadResult Read(const std::string& path, std::size_t maxBytes) override {
    return m_real.Read(path, maxBytes);
  }
  FileCause Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileCause Rename(const std::string& from, const std::string& to) override;
  FileCause Remove(const std::string& path) override { return m_real.Remove(path); }
  bool Exists(const std::string& path) override { return m_real.Exists(path); }
  FileCause MakeDirectories(const std::string& path) override {
    return m_real.MakeDirectories(path);
  }

 private:
  CPosixFileLayer m_real;
  int m_writes = 0;
  int m_renames = 0;
  int m_failWrite = 0;
  int m_failRename = 0;
  FileCause m_writeCause = FileCause::kDiskFull;
  FileCause m_renameCause = FileCause::kAccessDenied;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/posixfilelayer.h"

namespace zw::test {

// The real file layer, except that the n-th write (Write or Append), rename or read (counted
// from 1) can be made to fail at a chosen stage with a chosen cause.
class FaultyFileLayer final : public IFileLayer {
 public:
  void FailWrite(int n, FileCause cause, FileStage stage = FileStage::kWrite) {
    m_failWrite = n;
    m_writeError = FileError{stage, cause};
  }
  void FailRename(int n, FileCause cause) {
    m_failRename = n;
    m_renameCause = cause;
  }
  void FailRead(int n, FileCause cause, FileStage stage = FileStage::kRead) {
    m_failRead = n;
    m_readStage = stage;
    m_readCause = cause;
  }
  int Writes() const { return m_writes; }
  int Renames() const { return m_renames; }

  ReadResult Read(const std::string& path, std::size_t maxBytes) override;
  FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) override;
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
  int m_reads = 0;
  int m_failWrite = 0;
  int m_failRename = 0;
  int m_failRead = 0;
  FileError m_writeError;
  FileCause m_renameCause = FileCause::kAccessDenied;
  FileStage m_readStage = FileStage::kRead;
  FileCause m_readCause = FileCause::kHardwareIo;
};

}  // namespace zw::test

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zw {

// The cause code shown after "Return code: " in every file message.
enum class FileCause : int {
  kNone = 0,
  kGeneric = 1,
  kFileNotFound = 2,
  kBadPath = 3,
  kTooManyOpenFiles = 4,
  kAccessDenied = 5,
  kInvalidFile = 6,
  kRemoveCurrentDir = 7,
  kDirectoryFull = 8,
  kBadSeek = 9,
  kHardwareIo = 10,
  kSharingViolation = 11,
  kLockViolation = 12,
  kDiskFull = 13,
  kEndOfFile = 14,
};

FileCause FileCauseFromErrno(int error);

// Which step of a file operation failed; messages differ between opening, writing and closing.
enum class FileStage { kNone, kOpen, kRead, kWrite, kClose, kRename };

struct FileError {
  FileStage stage = FileStage::kNone;
  FileCause cause = FileCause::kNone;
  bool Ok() const { return stage == FileStage::kNone; }
  friend bool operator==(const FileError&, const FileError&) = default;
};

struct ReadResult {
  FileStage stage = FileStage::kNone;  // kOpen or kRead on failure
  FileCause cause = FileCause::kNone;
  std::vector<std::uint8_t> bytes;
  // The file held more than the bytes read.
  bool truncated = false;
};

// Whole-file operations, so saves can be tested against failing disks.
class IFileLayer {
 public:
  virtual ~IFileLayer() = default;
  // Reads at most maxBytes; a longer file sets `truncated`.
  virtual ReadResult Read(const std::string& path, std::size_t maxBytes) = 0;
  // Creates or truncates the file, writes all bytes and flushes them to disk.
  virtual FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  // Creates the file when missing and adds the bytes at its end.
  virtual FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  virtual FileCause Rename(const std::string& from, const std::string& to) = 0;
  virtual FileCause Remove(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual FileCause MakeDirectories(const std::string& path) = 0;
};

// Writes beside the target and renames over it, so a failed save leaves the old file whole.
// A failed rename is reported at stage kWrite: to the user the new contents were not saved.
FileError SaveAtomically(IFileLayer& files, const std::string& path,
                         std::span<const std::uint8_t> bytes);

}  // namespace zw

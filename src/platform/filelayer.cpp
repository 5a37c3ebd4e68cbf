// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/filelayer.h"

#include <cerrno>

namespace zw {

FileCause FileCauseFromErrno(int error) {
  switch (error) {
    case 0:
      return FileCause::kNone;
    case ENOENT:
      return FileCause::kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FileCause::kBadPath;
    case EMFILE:
    case ENFILE:
      return FileCause::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return FileCause::kAccessDenied;
    case ESPIPE:
      return FileCause::kBadSeek;
    case EIO:
      return FileCause::kHardwareIo;
    case EBUSY:
    case ETXTBSY:
      return FileCause::kSharingViolation;
    case ENOLCK:
      return FileCause::kLockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileCause::kDiskFull;
    default:
      return FileCause::kGeneric;
  }
}

FileError SaveAtomically(IFileLayer& files, const std::string& path,
                         std::span<const std::uint8_t> bytes) {
  const std::string temporary = path + ".saving";
  FileError error = files.Write(temporary, bytes);
  if (error.Ok()) {
    const FileCause cause = files.Rename(temporary, path);
    if (cause != FileCause::kNone) {
      error = FileError{FileStage::kWrite, cause};
    }
  }
  if (!error.Ok()) {
    files.Remove(temporary);
  }
  return error;
}

}  // namespace zw

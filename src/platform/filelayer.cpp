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

FileCause SaveAtomically(IFileLayer& files, const std::string& path,
                         std::span<const std::uint8_t> bytes) {
  const std::string temporary = path + ".saving";
  FileCause cause = files.Write(temporary, bytes);
  if (cause == FileCause::kNone) {
    cause = files.Rename(temporary, path);
  }
  if (cause != FileCause::kNone) {
    files.Remove(temporary);
  }
  return cause;
}

}  // namespace zw

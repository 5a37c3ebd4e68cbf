// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilelayer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace zw {

namespace {

// Owns one descriptor so every early return closes it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(m_fd, other.m_fd);
    return *this;
  }
  ~Descriptor() {
    if (m_fd >= 0) {
      ::close(m_fd);
    }
  }
  int Get() const { return m_fd; }
  // Closing can report a delayed write error, so a writer closes explicitly.
  int Close() {
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc;
  }

 private:
  int m_fd;
};

// Opens without waiting: a FIFO or device named like a data file would otherwise block the
// open for good. Only a regular file is used, and it is then read and written blocking.
// Returns the errno of a failure, or EACCES for a file that is not regular.
int OpenRegular(const std::string& path, int flags, Descriptor& fd) {
  fd = Descriptor(::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0644));
  if (fd.Get() < 0) {
    return errno;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    return errno;
  }
  if (!S_ISREG(info.st_mode)) {
    return EACCES;
  }
  if (::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK) != 0) {
    return errno;
  }
  return 0;
}

}  // namespace

ReadResult CPosixFileLayer::Read(const std::string& path, std::size_t maxBytes) {
  ReadResult result;
  Descriptor fd(-1);
  if (const int error = OpenRegular(path, O_RDONLY, fd); error != 0) {
    result.stage = FileStage::kOpen;
    result.cause = FileCauseFromErrno(error);
    return result;
  }
  constexpr std::size_t kChunk = 64 * 1024;
  std::uint8_t buffer[kChunk];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, kChunk);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      result.stage = FileStage::kRead;
      result.cause = FileCauseFromErrno(errno);
      result.bytes.clear();
      return result;
    }
    if (n == 0) {
      return result;
    }
    const std::size_t room = maxBytes - result.bytes.size();
    const std::size_t take = std::min(static_cast<std::size_t>(n), room);
    result.bytes.insert(result.bytes.end(), buffer, buffer + take);
    if (take < static_cast<std::size_t>(n)) {
      result.truncated = true;
      return result;
    }
  }
}

FileError CPosixFileLayer::WriteWith(const std::string& path, int flags,
                                     std::span<const std::uint8_t> bytes) {
  Descriptor fd(-1);
  if (const int error = OpenRegular(path, flags, fd); error != 0) {
    return {FileStage::kOpen, FileCauseFromErrno(error)};
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      return {FileStage::kWrite, FileCauseFromErrno(errno)};
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd.Get()) != 0 && errno != EINVAL) {
    return {FileStage::kWrite, FileCauseFromErrno(errno)};
  }
  if (fd.Close() != 0) {
    return {FileStage::kClose, FileCauseFromErrno(errno)};
  }
  return {};
}

FileError CPosixFileLayer::Write(const std::string& path, std::span<const std::uint8_t> bytes) {
  return WriteWith(path, O_WRONLY | O_CREAT | O_TRUNC, bytes);
}

FileError CPosixFileLayer::Append(const std::string& path, std::span<const std::uint8_t> bytes) {
  return WriteWith(path, O_WRONLY | O_CREAT | O_APPEND, bytes);
}

FileCause CPosixFileLayer::Rename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? FileCause::kNone : FileCauseFromErrno(errno);
}

FileCause CPosixFileLayer::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 ? FileCause::kNone : FileCauseFromErrno(errno);
}

bool CPosixFileLayer::Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

FileCause CPosixFileLayer::MakeDirectories(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return error ? FileCauseFromErrno(error.value()) : FileCause::kNone;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/placeindex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace zw {

namespace {

constexpr std::string_view kMagic = "ZWPIDX02";
constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

// Catches a torn or bit-flipped index; eight bytes a step, so a large index checks quickly.
std::uint64_t Checksum(std::span<const std::uint8_t> bytes) {
  std::uint64_t sum = kFnvOffset ^ bytes.size();
  std::size_t at = 0;
  for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    sum = (sum ^ word) * kFnvPrime;
  }
  for (; at < bytes.size(); ++at) {
    sum = (sum ^ bytes[at]) * kFnvPrime;
  }
  return sum;
}

class Writer {
 public:
  template <typename T>
  void Put(T value) {
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
    m_bytes.insert(m_bytes.end(), raw, raw + sizeof value);
  }
  void PutText(std::string_view text) {
    Put(static_cast<std::uint32_t>(text.size()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
  }
  std::vector<std::uint8_t>& Bytes() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

// Every read is bounded by what is left; a short index fails instead of reading past it.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  template <typename T>
  bool Get(T& value) {
    if (m_bytes.size() - m_at < sizeof value) {
      return false;
    }
    std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
    m_at += sizeof value;
    return true;
  }
  bool GetText(std::string& text) {
    std::uint32_t size = 0;
    if (!Get(size) || m_bytes.size() - m_at < size) {
      return false;
    }
    text.assign(reinterpret_cast<const char*>(m_bytes.data() + m_at), size);
    m_at += size;
    return true;
  }
  std::size_t Left() const { return m_bytes.size() - m_at; }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_at = 0;
};

// A file opened once, so its stamp and the bytes read come from the same file even when it is
// replaced meanwhile.
class OpenFile {
 public:
  explicit OpenFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~OpenFile() {
    if (m_fd >= 0) {
      ::close(m_fd);
    }
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int Fd() const { return m_fd; }
  bool ReadAt(std::uint64_t offset, std::size_t length, std::uint8_t* into) const {
    std::size_t done = 0;
    while (done < length) {
      const ssize_t got =
          ::pread(m_fd, into + done, length - done, static_cast<off_t>(offset + done));
      if (got <= 0) {
        return false;
      }
      done += static_cast<std::size_t>(got);
    }
    return true;
  }

 private:
  int m_fd;
};

CPlaceIndex::Stamp StampFrom(const struct stat& info) {
  return CPlaceIndex::Stamp{
      true, static_cast<std::uint64_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
      static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_dev)};
}

std::optional<std::vector<std::uint8_t>> ReadWhole(const std::string& path) {
  OpenFile file(path);
  struct stat info {};
  if (file.Fd() < 0 || ::fstat(file.Fd(), &info) != 0 || info.st_size < 0 ||
      static_cast<std::uint64_t>(info.st_size) > CPlaceIndex::kMaxBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  if (!file.ReadAt(0, bytes.size(), bytes.data())) {
    return std::nullopt;
  }
  return bytes;
}

std::vector<std::uint8_t> Serialize(const CPlaceIndex::Files& files) {
  Writer out;
  out.Bytes().assign(kMagic.begin(), kMagic.end());
  for (const CPlaceIndex::File& file : files) {
    out.PutText(file.path);
    out.Put(static_cast<std::uint8_t>(file.stamp.present));
    out.Put(file.stamp.size);
    out.Put(file.stamp.changedNs);
    out.Put(file.stamp.inode);
    out.Put(file.stamp.device);
    out.Put(static_cast<std::uint64_t>(file.lines.size()));
    for (const CPlaceIndex::Line& line : file.lines) {
      out.Put(line.hash);
      out.Put(line.offset);
      out.Put(line.length);
    }
  }
  out.Put(Checksum(out.Bytes()));
  return std::move(out.Bytes());
}

}  // namespace

CPlaceIndex::Stamp CPlaceIndex::StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return Stamp{};
  }
  return StampFrom(info);
}

std::uint64_t CPlaceIndex::HashOf(std::string_view key) {
  std::uint64_t hash = kFnvOffset;
  for (const char c : key) {
    hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
  }
  return hash;
}

std::optional<CPlaceIndex> CPlaceIndex::Load(const std::string& cachePath,
                                             const std::array<std::string, kFileCount>& paths) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadWhole(cachePath);
  CPlaceIndex index;
  if (!bytes || !index.Deserialize(*bytes)) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const File& file = index.m_files[i];
    if (file.path != paths[i] || !(file.stamp == StampOf(paths[i]))) {
      return std::nullopt;
    }
  }
  return index;
}

bool CPlaceIndex::Deserialize(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kSumSize = sizeof(std::uint64_t);
  if (bytes.size() < kMagic.size() + kSumSize ||
      std::string_view(reinterpret_cast<const char*>(bytes.data()), kMagic.size()) != kMagic) {
    return false;
  }
  const std::span<const std::uint8_t> body = bytes.first(bytes.size() - kSumSize);
  std::uint64_t sum = 0;
  std::memcpy(&sum, bytes.data() + body.size(), kSumSize);
  if (sum != Checksum(body)) {
    return false;
  }
  Reader in(body.subspan(kMagic.size()));
  for (File& file : m_files) {
    std::uint8_t present = 0;
    std::uint64_t count = 0;
    if (!in.GetText(file.path) || !in.Get(present) || !in.Get(file.stamp.size) ||
        !in.Get(file.stamp.changedNs) || !in.Get(file.stamp.inode) || !in.Get(file.stamp.device) ||
        !in.Get(count) || count > in.Left() / sizeof(Line)) {
      return false;
    }
    file.stamp.present = present != 0;
    file.lines.resize(static_cast<std::size_t>(count));
    for (Line& line : file.lines) {
      if (!in.Get(line.hash) || !in.Get(line.offset) || !in.Get(line.length) ||
          std::uint64_t{line.offset} + line.length > file.stamp.size) {
        return false;
      }
    }
    if (!std::is_sorted(file.lines.begin(), file.lines.end(),
                        [](const Line& a, const Line& b) { return a.hash < b.hash; })) {
      return false;
    }
  }
  return in.Left() == 0;
}

bool CPlaceIndex::Save(const std::string& cachePath, Files files) {
  for (File& file : files) {
    std::sort(file.lines.begin(), file.lines.end(), [](const Line& a, const Line& b) {
      return a.hash != b.hash ? a.hash < b.hash : a.offset < b.offset;
    });
  }
  const std::filesystem::path target(cachePath);
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  // A name of its own, so two runs saving at once never write into one file.
  std::string temporary = cachePath + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    return false;
  }
  const std::vector<std::uint8_t> bytes = Serialize(files);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote <= 0) {
      break;
    }
    done += static_cast<std::size_t>(wrote);
  }
  const bool written = ::close(fd) == 0 && done == bytes.size();
  if (!written || std::rename(temporary.c_str(), cachePath.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> CPlaceIndex::Read(
    std::size_t which, const std::vector<std::string>& keys) const {
  const File& file = m_files[which];
  std::vector<Line> found;
  for (const std::string& key : keys) {
    const std::uint64_t hash = HashOf(key);
    const auto range =
        std::equal_range(file.lines.begin(), file.lines.end(), Line{hash, 0, 0},
                         [](const Line& a, const Line& b) { return a.hash < b.hash; });
    found.insert(found.end(), range.first, range.second);
  }
  std::vector<std::uint8_t> bytes;
  if (found.empty()) {
    return bytes;
  }
  std::sort(found.begin(), found.end(),
            [](const Line& a, const Line& b) { return a.offset < b.offset; });
  found.erase(std::unique(found.begin(), found.end(),
                          [](const Line& a, const Line& b) { return a.offset == b.offset; }),
              found.end());
  OpenFile open(file.path);
  struct stat info {};
  if (open.Fd() < 0 || ::fstat(open.Fd(), &info) != 0 || !(StampFrom(info) == file.stamp)) {
    return std::nullopt;
  }
  for (const Line& line : found) {
    // Each line must start after a line end and end with one, or the index is not this file's.
    const std::uint32_t before = line.offset > 0 ? 1 : 0;
    std::vector<std::uint8_t> read(line.length + before);
    const bool atEnd = std::uint64_t{line.offset} + line.length == file.stamp.size;
    if (line.length == 0 || !open.ReadAt(line.offset - before, read.size(), read.data()) ||
        (before == 1 && read.front() != '\n') || (read.back() != '\n' && !atEnd)) {
      return std::nullopt;
    }
    bytes.insert(bytes.end(), read.begin() + before, read.end());
    // A companion's last line may lack its end, and must not run into the line read next.
    if (bytes.back() != '\n') {
      bytes.push_back('\n');
    }
  }
  return bytes;
}

}  // namespace zw

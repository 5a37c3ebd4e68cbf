// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/placeindex.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <system_error>

namespace zw {

namespace {

// The header: each file's path, stamp, line count and where its lines begin past the block
// tables, then a checksum of the header. Then each file's block table: every block's first
// hash and checksum, then a checksum of the table. Then each file's lines, sorted by hash.
constexpr std::string_view kMagic = "ZWPIDX03";
constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr std::size_t kLineBytes = 16;  // hash, offset, length
// 4 KiB of lines: a lookup checks one block, or two where its lines cross, whatever the size.
constexpr std::size_t kBlockLines = 256;
constexpr std::size_t kBlockBytes = kBlockLines * kLineBytes;
constexpr std::size_t kTableEntryBytes = 16;  // the block's first hash, its checksum
// The header holds four paths and their numbers, so anything longer is not an index.
constexpr std::size_t kMaxPathBytes = 4096;
constexpr std::size_t kMaxHeaderBytes =
    kMagic.size() + CPlaceIndex::kFileCount * (4 + kMaxPathBytes + 1 + 6 * 8) + 8;

// The eight bytes at `at`, which the caller keeps within `bytes`; copied out, since records lie
// at any alignment.
std::uint64_t WordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint64_t word = 0;
  std::memcpy(&word, bytes.data() + at, sizeof word);
  return word;
}

CPlaceIndex::Line LineAt(std::span<const std::uint8_t> records, std::size_t at) {
  CPlaceIndex::Line line;
  line.hash = WordAt(records, at * kLineBytes);
  std::memcpy(&line.offset, records.data() + at * kLineBytes + 8, sizeof line.offset);
  std::memcpy(&line.length, records.data() + at * kLineBytes + 12, sizeof line.length);
  return line;
}

// Catches a torn or bit-flipped index; eight bytes a step, so a large index checks quickly.
std::uint64_t Checksum(std::span<const std::uint8_t> bytes) {
  std::uint64_t sum = kFnvOffset ^ bytes.size();
  std::size_t at = 0;
  for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
    sum = (sum ^ WordAt(bytes, at)) * kFnvPrime;
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
  void Append(const std::vector<std::uint8_t>& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
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
  bool Take(std::size_t size, std::span<const std::uint8_t>& taken) {
    if (m_bytes.size() - m_at < size) {
      return false;
    }
    taken = m_bytes.subspan(m_at, size);
    m_at += size;
    return true;
  }
  std::size_t At() const { return m_at; }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_at = 0;
};

CPlaceIndex::Stamp StampFrom(const struct stat& info) {
  return CPlaceIndex::Stamp{
      true, static_cast<std::uint64_t>(info.st_size),
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
      static_cast<std::uint64_t>(info.st_ino), static_cast<std::uint64_t>(info.st_dev)};
}

std::vector<std::uint8_t> Serialize(const CPlaceIndex::Files& files) {
  Writer out;
  Writer tables;
  Writer records;
  out.Bytes().assign(kMagic.begin(), kMagic.end());
  for (const CPlaceIndex::File& file : files) {
    const std::size_t start = records.Bytes().size();
    out.PutText(file.path);
    out.Put(static_cast<std::uint8_t>(file.stamp.present));
    out.Put(file.stamp.size);
    out.Put(file.stamp.changedNs);
    out.Put(file.stamp.inode);
    out.Put(file.stamp.device);
    out.Put(static_cast<std::uint64_t>(file.lines.size()));
    out.Put(static_cast<std::uint64_t>(start));
    for (const CPlaceIndex::Line& line : file.lines) {
      records.Put(line.hash);
      records.Put(line.offset);
      records.Put(line.length);
    }
    const auto lines = std::span<const std::uint8_t>(records.Bytes()).subspan(start);
    const std::size_t tableStart = tables.Bytes().size();
    for (std::size_t at = 0; at < lines.size(); at += kBlockBytes) {
      const std::span<const std::uint8_t> block =
          lines.subspan(at, std::min(kBlockBytes, lines.size() - at));
      tables.Put(WordAt(block, 0));
      tables.Put(Checksum(block));
    }
    tables.Put(Checksum(std::span<const std::uint8_t>(tables.Bytes()).subspan(tableStart)));
  }
  out.Put(Checksum(out.Bytes()));
  out.Append(tables.Bytes());
  out.Append(records.Bytes());
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

// Opened without waiting, so that a FIFO in a file's place is refused instead of blocking.
CPlaceIndex::Descriptor::Descriptor(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}

CPlaceIndex::Descriptor::~Descriptor() {
  if (m_fd >= 0) {
    ::close(m_fd);
  }
}

// Read with pread rather than through a mapping: a file cut short meanwhile is only a short
// read here, where a mapping would end the program.
bool CPlaceIndex::Descriptor::ReadAt(std::uint64_t offset, std::size_t length,
                                     std::uint8_t* into) const {
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

std::optional<CPlaceIndex> CPlaceIndex::Load(const std::string& cachePath,
                                             const std::array<std::string, kFileCount>& paths) {
  CPlaceIndex index;
  if (!index.Open(cachePath) || !index.Parse()) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const Section& section = index.m_sections[i];
    if (section.path != paths[i] || !(section.stamp == StampOf(paths[i]))) {
      return std::nullopt;
    }
  }
  return index;
}

bool CPlaceIndex::Open(const std::string& cachePath) {
  m_file = std::make_unique<Descriptor>(cachePath);
  struct stat info {};
  if (m_file->Fd() < 0 || ::fstat(m_file->Fd(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size <= 0 || static_cast<std::uint64_t>(info.st_size) > kMaxBytes) {
    return false;
  }
  m_path = cachePath;
  m_stamp = StampFrom(info);
  return true;
}

// Only the header and the block tables are read and checked here; each block is read and
// checked when a lookup first needs it, so a run reads no more of a large index than its
// names need.
bool CPlaceIndex::Parse() {
  const std::uint64_t size = m_stamp.size;
  std::vector<std::uint8_t> head(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, kMaxHeaderBytes)));
  if (!m_file->ReadAt(0, head.size(), head.data())) {
    return false;
  }
  Reader in(head);
  std::span<const std::uint8_t> magic;
  if (!in.Take(kMagic.size(), magic) ||
      std::string_view(reinterpret_cast<const char*>(magic.data()), magic.size()) != kMagic) {
    return false;
  }
  std::array<std::uint64_t, kFileCount> counts{};
  std::array<std::uint64_t, kFileCount> starts{};
  for (std::size_t i = 0; i < kFileCount; ++i) {
    Section& section = m_sections[i];
    std::uint8_t present = 0;
    if (!in.GetText(section.path) || !in.Get(present) || !in.Get(section.stamp.size) ||
        !in.Get(section.stamp.changedNs) || !in.Get(section.stamp.inode) ||
        !in.Get(section.stamp.device) || !in.Get(counts[i]) || !in.Get(starts[i])) {
      return false;
    }
    section.stamp.present = present != 0;
  }
  const std::size_t headerSize = in.At();
  std::uint64_t sum = 0;
  if (!in.Get(sum) || sum != Checksum(std::span<const std::uint8_t>(head).first(headerSize))) {
    return false;
  }
  std::uint64_t at = in.At();
  for (std::size_t i = 0; i < kFileCount; ++i) {
    Section& section = m_sections[i];
    // Bounded by the file before it is multiplied, so no size below wraps.
    if (counts[i] > size / kLineBytes) {
      return false;
    }
    const std::size_t blocks =
        (static_cast<std::size_t>(counts[i]) + kBlockLines - 1) / kBlockLines;
    const std::size_t tableBytes = blocks * kTableEntryBytes;
    if (tableBytes + sizeof(std::uint64_t) > size - at) {
      return false;
    }
    section.table.resize(tableBytes + sizeof(std::uint64_t));
    if (!m_file->ReadAt(at, section.table.size(), section.table.data())) {
      return false;
    }
    const std::uint64_t tableSum = WordAt(section.table, tableBytes);
    section.table.resize(tableBytes);
    if (tableSum != Checksum(section.table)) {
      return false;
    }
    at += tableBytes + sizeof(std::uint64_t);
    section.blocks.assign(blocks, {});
  }
  for (std::size_t i = 0; i < kFileCount; ++i) {
    const std::uint64_t left = size - at;
    if (starts[i] > left || counts[i] > (left - starts[i]) / kLineBytes) {
      return false;
    }
    m_sections[i].linesAt = at + starts[i];
    m_sections[i].lines = static_cast<std::size_t>(counts[i]);
  }
  return true;
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

// The block read and found whole, or nullptr.
const std::vector<std::uint8_t>* CPlaceIndex::Block(const Section& section,
                                                    std::size_t block) const {
  std::vector<std::uint8_t>& bytes = section.blocks[block];
  if (!bytes.empty()) {
    return &bytes;
  }
  const std::size_t first = block * kBlockLines;
  std::vector<std::uint8_t> read(std::min(kBlockLines, section.lines - first) * kLineBytes);
  if (!m_file->ReadAt(section.linesAt + first * kLineBytes, read.size(), read.data()) ||
      WordAt(section.table, block * kTableEntryBytes + 8) != Checksum(read)) {
    return nullptr;
  }
  bytes = std::move(read);
  return &bytes;
}

// The lines of one hash may run on past the end of a block into the next, and the next.
bool CPlaceIndex::Find(const Section& section, std::uint64_t hash, std::vector<Line>& found) const {
  const std::size_t blocks = section.blocks.size();
  if (blocks == 0) {
    return true;
  }
  // The first block not starting below the hash; its first lines may end the block before.
  std::size_t low = 0;
  std::size_t high = blocks;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (WordAt(section.table, middle * kTableEntryBytes) < hash) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  std::size_t block = low > 0 ? low - 1 : 0;
  const std::vector<std::uint8_t>* bytes = Block(section, block);
  if (bytes == nullptr) {
    return false;
  }
  low = 0;
  high = bytes->size() / kLineBytes;
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    if (LineAt(*bytes, middle).hash < hash) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  for (std::size_t at = low;; ++at) {
    if (at == bytes->size() / kLineBytes) {
      if (++block == blocks) {
        break;
      }
      bytes = Block(section, block);
      if (bytes == nullptr) {
        return false;
      }
      at = 0;
    }
    const Line line = LineAt(*bytes, at);
    if (line.hash != hash) {
      break;
    }
    found.push_back(line);
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> CPlaceIndex::Read(
    std::size_t which, const std::vector<std::string>& keys) const {
  std::optional<std::vector<std::uint8_t>> lines = ReadLines(which, keys);
  // The next run would find the index whole at load and fail here again; one whose files
  // changed is made anew by that run anyway. Another run's newer index is left alone.
  if (!lines && StampOf(m_path) == m_stamp) {
    ::unlink(m_path.c_str());
  }
  return lines;
}

std::optional<std::vector<std::uint8_t>> CPlaceIndex::ReadLines(
    std::size_t which, const std::vector<std::string>& keys) const {
  const Section& section = m_sections[which];
  std::vector<Line> found;
  for (const std::string& key : keys) {
    if (!Find(section, HashOf(key), found)) {
      return std::nullopt;
    }
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
  const Descriptor open(section.path);
  struct stat info {};
  if (open.Fd() < 0 || ::fstat(open.Fd(), &info) != 0 || !(StampFrom(info) == section.stamp)) {
    return std::nullopt;
  }
  for (const Line& line : found) {
    const std::uint64_t end = std::uint64_t{line.offset} + line.length;
    if (line.length == 0 || end > section.stamp.size) {
      return std::nullopt;
    }
    // Each line must start after a line end and end with one, or the index is not this file's.
    const std::size_t before = line.offset > 0 ? 1 : 0;
    std::vector<std::uint8_t> read(std::size_t{line.length} + before);
    if (!open.ReadAt(line.offset - before, read.size(), read.data()) ||
        (before == 1 && read.front() != '\n') ||
        (read.back() != '\n' && end != section.stamp.size)) {
      return std::nullopt;
    }
    bytes.insert(bytes.end(), read.begin() + static_cast<std::ptrdiff_t>(before), read.end());
    // A companion's last line may lack its end, and must not run into the line read next.
    if (bytes.back() != '\n') {
      bytes.push_back('\n');
    }
  }
  return bytes;
}

}  // namespace zw

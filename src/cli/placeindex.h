// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Where each place's lines lie in the zone files and their companions, so that a run of zw
// naming a few places reads those lines alone instead of every line of a file that may hold
// hundreds of thousands. Kept in the user's cache directory and tied to the files by their
// path, size, change time and inode: any change to a file, or any damage to the index, and
// the index is simply not used.
//
// A loaded index reads only its header, its block tables and the blocks of lines its names fall
// in, each checked the first time it is read, so a run pays little more for an index of a
// million lines than for one of a thousand. Not for two threads at once.
class CPlaceIndex {
 public:
  // The standard zone file, its companion, the custom zone file, its companion.
  static constexpr std::size_t kFileCount = 4;
  // An index past this size is damaged: it holds at most two numbers per line of files that
  // the database reads up to 64 MiB of.
  static constexpr std::size_t kMaxBytes = 256u * 1024u * 1024u;

  struct Stamp {
    bool present = false;
    std::uint64_t size = 0;
    std::int64_t changedNs = 0;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;
    friend bool operator==(const Stamp&, const Stamp&) = default;
  };

  // One line of a file and the name hash it is found by.
  struct Line {
    std::uint64_t hash = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };

  // What an index is made of: each file and its lines, in any order.
  struct File {
    std::string path;
    Stamp stamp;
    std::vector<Line> lines;
  };
  using Files = std::array<File, kFileCount>;

  // The stamp of the file at `path`; not present when it cannot be looked at.
  static Stamp StampOf(const std::string& path);
  // The hash a name's key (its form folded for lookups) is found by.
  static std::uint64_t HashOf(std::string_view key);

  // Writes the index of `files` beside the target and renames it over the target, so a reader
  // sees the old index or the new one, never a part; false when the cache directory cannot be
  // written.
  static bool Save(const std::string& cachePath, Files files);

  // The index stored at `cachePath` when its header and block tables are whole and every file
  // in `paths` still has the stamp it was made with.
  static std::optional<CPlaceIndex> Load(const std::string& cachePath,
                                         const std::array<std::string, kFileCount>& paths);

  // Whether `file` was there when the index was made.
  bool Present(std::size_t file) const { return m_sections[file].stamp.present; }

  // The lines of `file` found under any of `keys`, in file order, read from the file itself;
  // nullopt when the file changed since the index was made, a line is not where it says, or a
  // block of the index is damaged. Such an index is removed, so the next run makes it anew.
  // Lines of other names with the same hash come along; the caller picks its own.
  std::optional<std::vector<std::uint8_t>> Read(std::size_t file,
                                                const std::vector<std::string>& keys) const;

 private:
  // One file's section of the index.
  struct Section {
    std::string path;
    Stamp stamp;
    std::vector<std::uint8_t> table;  // each block's first hash and checksum
    std::uint64_t linesAt = 0;        // where its lines begin in the index file
    std::size_t lines = 0;
    // Each block once read and found whole; empty until then.
    mutable std::vector<std::vector<std::uint8_t>> blocks;
  };
  // A file opened once, so that its stamp and the bytes read come from the same file even
  // when it is replaced meanwhile; the index file stays open for as long as the index is used.
  class Descriptor {
   public:
    explicit Descriptor(const std::string& path);
    ~Descriptor();
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Fd() const { return m_fd; }
    // All of `length` bytes at `offset`; false on a short read, such as of a file cut short.
    bool ReadAt(std::uint64_t offset, std::size_t length, std::uint8_t* into) const;

   private:
    int m_fd;
  };

  bool Open(const std::string& cachePath);
  bool Parse();
  std::optional<std::vector<std::uint8_t>> ReadLines(std::size_t file,
                                                     const std::vector<std::string>& keys) const;
  bool Find(const Section& section, std::uint64_t hash, std::vector<Line>& found) const;
  const std::vector<std::uint8_t>* Block(const Section& section, std::size_t block) const;

  std::unique_ptr<Descriptor> m_file;
  std::string m_path;
  Stamp m_stamp;  // of the index file opened, so that only it is ever removed
  std::array<Section, kFileCount> m_sections;
};

}  // namespace zw

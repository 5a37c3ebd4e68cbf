// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zw {

// Where each place's lines lie in the zone files and their companions, so that a run of zw
// naming a few places reads those lines alone instead of every line of a file that may hold
// hundreds of thousands. Kept in the user's cache directory and tied to the files by their
// path, size, change time and inode: any change to a file, or any damage to the index, and
// the index is simply not used.
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

  // The index stored at `cachePath` when it is whole and every file in `paths` still has the
  // stamp it was made with.
  static std::optional<CPlaceIndex> Load(const std::string& cachePath,
                                         const std::array<std::string, kFileCount>& paths);

  // Whether `file` was there when the index was made.
  bool Present(std::size_t file) const { return m_files[file].stamp.present; }

  // The lines of `file` found under any of `keys`, in file order, read from the file itself;
  // nullopt when the file changed since the index was made or a line is not where it says.
  // Lines of other names with the same hash come along; the caller picks its own.
  std::optional<std::vector<std::uint8_t>> Read(std::size_t file,
                                                const std::vector<std::string>& keys) const;

 private:
  bool Deserialize(std::span<const std::uint8_t> bytes);

  Files m_files;  // each file's lines by hash
};

}  // namespace zw

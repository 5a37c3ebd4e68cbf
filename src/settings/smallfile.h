// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zw {

// The lines of one of our small text files. A missing file has no lines and is not
// unreadable; one over `maxBytes`, one that cannot be opened or read, or one whose existence
// cannot be checked is unreadable, and its owner must then never replace it.
struct SmallFileLines {
  std::vector<std::string> lines;
  bool unreadable = false;
};
SmallFileLines ReadSmallFile(const std::string& path, std::uintmax_t maxBytes);

// Writes `content` to a file beside `path` and renames it over `path`, creating the folder,
// so a reader sees the old file or the new one, never half of one. False on any failure,
// with the old file left as it was.
bool WriteFileAtomically(const std::string& path, const std::string& content);

}  // namespace zw

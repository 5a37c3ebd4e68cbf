// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zw {

class IFileLayer;

// How reading one of the conversion tables went; each table words its own message.
enum class DataFileStatus {
  kLoaded,
  kNotFound,  // could not be opened
  kNoLength,  // longer than the bound, so its end was never reached
  kEmpty,
  kUnreadable,  // failed while reading
};

struct DataFileRead {
  DataFileStatus status = DataFileStatus::kLoaded;
  std::vector<std::uint8_t> bytes;
};

// Reads a table whole by its bare name. Only a kLoaded read carries bytes.
DataFileRead ReadDataFile(IFileLayer& files, std::string_view name, std::size_t maxBytes);

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/datafile.h"

#include <string>

#include "platform/filelayer.h"

namespace zw {

namespace {

DataFileStatus StatusOf(const ReadResult& read) {
  if (read.stage == FileStage::kOpen) {
    return DataFileStatus::kNotFound;
  }
  if (read.stage != FileStage::kNone) {
    return DataFileStatus::kUnreadable;
  }
  if (read.truncated) {
    return DataFileStatus::kNoLength;
  }
  if (read.bytes.empty()) {
    return DataFileStatus::kEmpty;
  }
  return DataFileStatus::kLoaded;
}

}  // namespace

DataFileRead ReadDataFile(IFileLayer& files, std::string_view name, std::size_t maxBytes) {
  ReadResult read = files.Read(std::string(name), maxBytes);
  DataFileRead result{StatusOf(read), {}};
  // A half-read table must not pass for a whole one.
  if (result.status == DataFileStatus::kLoaded) {
    result.bytes = std::move(read.bytes);
  }
  return result;
}

}  // namespace zw

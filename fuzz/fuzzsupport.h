// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/filelayer.h"
#include "platform/messagesink.h"
#include "settings/settingsstore.h"

namespace zw {
class CLocationDB;
}

namespace zw::fuzz {

// Files kept in memory by name, so a target's input reaches a parser through its own file
// layer without touching the disk.
class MemoryFiles final : public IFileLayer {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;

  ReadResult Read(const std::string& path, std::size_t maxBytes) override;
  FileError Write(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileError Append(const std::string& path, std::span<const std::uint8_t> bytes) override;
  FileCause Rename(const std::string& from, const std::string& to) override;
  FileCause Remove(const std::string& path) override;
  bool Exists(const std::string& path) override { return files.contains(path); }
  FileCause MakeDirectories(const std::string&) override { return FileCause::kNone; }
};

// Settings values kept in memory by name.
class MemoryStore final : public ISettingsStore {
 public:
  std::map<std::string, std::vector<std::uint8_t>> values;

  std::optional<std::vector<std::uint8_t>> Read(const std::string& name,
                                                std::size_t maxBytes) override;
  bool Write(const std::string& name, std::span<const std::uint8_t> bytes) override;
};

// Counts the messages and answers No.
class CountingSink final : public IMessageSink {
 public:
  int count = 0;
  void Warn(const std::string&) override { ++count; }
  void Inform(const std::string&) override { ++count; }
  bool AskYesNo(const std::string&) override {
    ++count;
    return false;
  }
};

// A fixed "now" (2024-03-10 06:30 UTC, the day US daylight saving starts), so a run does not
// depend on the day it was made.
void FixNow();

// Every hundredth location of the supplied TIME_ZON.DAT, read once: places of many kinds of
// rule, few enough that looking one up by name stays quick.
CLocationDB& SuppliedLocations();

inline std::vector<std::uint8_t> Copy(const std::uint8_t* data, std::size_t size) {
  return std::vector<std::uint8_t>(data, data + size);
}

}  // namespace zw::fuzz

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/datadirectory.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <system_error>

#include "platform/filelayer.h"
#include "platform/messagesink.h"

namespace zw {

namespace {

// Far above any supplied file; a bigger one is not one of them and is left alone.
constexpr std::size_t kMaxSuppliedBytes = std::size_t{64} << 20;
constexpr std::size_t kMaxManifestBytes = 64 * 1024;
constexpr std::string_view kNone = "-";

using Bytes = std::vector<std::uint8_t>;

std::string FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// FNV-1a: enough to tell whether a file is still the copy that was made.
std::string Checksum(const Bytes& bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const std::uint8_t byte : bytes) {
    hash = (hash ^ byte) * 1099511628211ULL;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text(16, '0');
  for (std::size_t i = 0; i < 16; ++i) {
    text[15 - i] = kHex[(hash >> (4 * i)) & 0xF];
  }
  return text;
}

std::optional<Bytes> ReadWhole(IFileLayer& files, const std::string& path) {
  ReadResult read = files.Read(path, kMaxSuppliedBytes);
  if (read.stage != FileStage::kNone || read.truncated) {
    return std::nullopt;
  }
  return std::move(read.bytes);
}

struct Entry {
  std::string copied;                    // the checksum of the file as it was copied in
  std::string told{std::string(kNone)};  // the installed file the user was told about
};

class CManifest {
 public:
  CManifest(IFileLayer& files, std::string path) : m_files(files), m_path(std::move(path)) {
    const ReadResult read = m_files.Read(m_path, kMaxManifestBytes);
    std::istringstream lines(std::string(read.bytes.begin(), read.bytes.end()));
    std::string name;
    Entry entry;
    while (lines >> name >> entry.copied >> entry.told) {
      m_entries[name] = entry;
    }
  }

  Entry* Find(const std::string& name) {
    const auto found = m_entries.find(name);
    return found == m_entries.end() ? nullptr : &found->second;
  }
  void Set(const std::string& name, Entry entry) {
    m_entries[name] = std::move(entry);
    m_changed = true;
  }

  void SaveIfChanged() const {
    if (!m_changed) {
      return;
    }
    std::string text;
    for (const auto& [name, entry] : m_entries) {
      text += name + ' ' + entry.copied + ' ' + entry.told + '\n';
    }
    SaveAtomically(m_files, m_path, Bytes(text.begin(), text.end()));
  }

 private:
  IFileLayer& m_files;
  std::string m_path;
  std::map<std::string, Entry> m_entries;
  bool m_changed = false;
};

std::optional<Bytes> Installed(IFileLayer& files, const std::vector<std::string>& sources,
                               std::string_view name) {
  for (const std::string& source : sources) {
    const std::filesystem::path path = std::filesystem::path(source) / name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
      continue;
    }
    if (auto bytes = ReadWhole(files, path.string())) {
      return bytes;
    }
  }
  return std::nullopt;
}

void RefreshOne(const std::string& path, const std::string& name, const Bytes& installed,
                IFileLayer& files, IMessageSink& messages, CManifest& manifest) {
  const std::string newSum = Checksum(installed);
  if (!files.Exists(path)) {
    if (SaveAtomically(files, path, installed).Ok()) {
      manifest.Set(name, Entry{newSum});
    }
    return;
  }
  const std::optional<Bytes> own = ReadWhole(files, path);
  if (!own) {
    return;
  }
  const std::string ownSum = Checksum(*own);
  const Entry* entry = manifest.Find(name);
  if (ownSum == newSum) {
    if (entry == nullptr || entry->copied != ownSum) {
      manifest.Set(name, Entry{ownSum});
    }
    return;
  }
  if (entry != nullptr && entry->copied == newSum) {
    return;  // the user changed the copy, and nothing newer has been installed since
  }
  if (entry != nullptr && entry->copied == ownSum) {
    if (SaveAtomically(files, path, installed).Ok()) {
      manifest.Set(name, Entry{newSum});
    }
    return;
  }
  if (entry != nullptr && entry->told == newSum) {
    return;
  }
  messages.Inform(CDataDirectory::NewerFileMessage(path));
  manifest.Set(name, Entry{entry != nullptr ? entry->copied : std::string(kNone), newSum});
}

}  // namespace

std::string CDataDirectory::Choose() {
  const std::string explicitDir = FromEnvironment("ZONEWRIGHT_DATA_DIR");
  if (!explicitDir.empty()) {
    return explicitDir;
  }
  const std::string dataHome = FromEnvironment("XDG_DATA_HOME");
  if (!dataHome.empty() && dataHome[0] == '/') {
    return dataHome + "/zonewright";
  }
  return FromEnvironment("HOME") + "/.local/share/zonewright";
}

std::string CDataDirectory::NewerFileMessage(const std::string& path) {
  return "A newer version of the supplied file \"" + path +
         "\" has been installed, but yours has changed since it was copied, so yours is kept. "
         "To use the new one, quit Zonewright, delete or rename your file and start Zonewright "
         "again.";
}

void CDataDirectory::Refresh(const std::string& directory, const std::vector<std::string>& sources,
                             IFileLayer& files, IMessageSink& messages) {
  CManifest manifest(files, directory + "/" + std::string(kManifestName));
  for (std::string_view name : kSuppliedFiles) {
    if (const std::optional<Bytes> installed = Installed(files, sources, name)) {
      RefreshOne(directory + "/" + std::string(name), std::string(name), *installed, files,
                 messages, manifest);
    }
  }
  manifest.SaveIfChanged();
}

bool CDataDirectory::Enter(const std::string& directory, const std::vector<std::string>& sources,
                           IFileLayer& files, IMessageSink& messages) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::create_directories(directory, error);
  Refresh(directory, sources, files, messages);
  fs::current_path(directory, error);
  return !error;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/notesfile.h"

#include <algorithm>

#include "platform/filelayer.h"
#include "platform/messagesink.h"
#include "timecore/datespan.h"

namespace zw {

namespace {

constexpr std::size_t kDateBytes = 4;

// The date is read as unsigned, which carries the file's dates from 1970 to 2106 in the same
// four bytes.
std::int64_t ReadDate(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = kDateBytes; i-- > 0;) {
    value = value << 8 | bytes[at + i];
  }
  return value;
}

void AppendDate(std::vector<std::uint8_t>& out, std::int64_t date) {
  const auto value = static_cast<std::uint32_t>(date);
  for (std::size_t i = 0; i < kDateBytes; ++i) {
    out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

}  // namespace

CNotesFile::CNotesFile(IFileLayer& files, IMessageSink& messages)
    : m_files(files), m_messages(messages) {
  Load();
}

std::string CNotesFile::GetNote(const CDateTime& date) const {
  const auto it = m_notes.find(date.Seconds());
  return it == m_notes.end() ? std::string() : it->second;
}

void CNotesFile::SetNote(const CDateTime& date, std::string_view text) {
  if (m_state != State::kOpen) {
    return;
  }
  m_notes[date.Seconds()] = StorableText(text);
}

void CNotesFile::Save() {
  if (m_state != State::kOpen) {
    return;
  }
  const CDateTime cutoff = CDateTime() - CDateSpan(kKeepDays, 0, 0, 0);
  const std::vector<std::uint8_t> bytes = Serialize(cutoff.Seconds());
  m_notes.clear();
  m_state = State::kSaved;
  const FileError error = SaveAtomically(m_files, std::string(kFileName), bytes);
  if (error.Ok()) {
    return;
  }
  Fail(error.stage == FileStage::kOpen ? kOpenFailed : kWriteFailed);
}

void CNotesFile::Load() {
  const ReadResult read = m_files.Read(std::string(kFileName), kMaxFileBytes);
  if (read.stage == FileStage::kOpen && read.cause == FileCause::kFileNotFound) {
    // No notes yet; the save creates the file.
    return;
  }
  // A file that exists but cannot be opened must not be replaced by an empty one at the save.
  if (read.stage == FileStage::kOpen) {
    Fail(kReadFailed);
    return;
  }
  // Notes cut off at the size bound would be lost at the save, so an oversized file is
  // treated as unreadable and left alone.
  if (read.stage != FileStage::kNone || read.truncated) {
    Fail(kReadFailed);
    return;
  }
  Parse(read.bytes);
}

// The file may have been damaged or written by anything, so every record is bounded by the
// bytes actually there, and a later record of the same date replaces an earlier one.
void CNotesFile::Parse(const std::vector<std::uint8_t>& bytes) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] != kRecordMarker) {
      ++at;
      continue;
    }
    if (bytes.size() - at - 1 < kDateBytes) {
      return;
    }
    const std::int64_t date = ReadDate(bytes, at + 1);
    const std::size_t textStart = at + 1 + kDateBytes;
    const auto nul = std::find(bytes.begin() + static_cast<std::ptrdiff_t>(textStart), bytes.end(),
                               std::uint8_t{0});
    const auto textEnd = static_cast<std::size_t>(nul - bytes.begin());
    const std::size_t length = std::min(textEnd - textStart, kMaxTextLength);
    m_notes[date] = std::string(reinterpret_cast<const char*>(bytes.data()) + textStart, length);
    at = textEnd + 1;
  }
}

std::vector<std::uint8_t> CNotesFile::Serialize(std::int64_t from) const {
  std::vector<std::uint8_t> out;
  for (auto it = m_notes.lower_bound(from); it != m_notes.end(); ++it) {
    out.push_back(kRecordMarker);
    AppendDate(out, it->first);
    out.insert(out.end(), it->second.begin(), it->second.end());
    out.push_back(0);
  }
  return out;
}

void CNotesFile::Fail(std::string_view beginning) {
  m_state = State::kFailed;
  m_notes.clear();
  m_messages.Warn(std::string(beginning) + std::string(kFileName) + "\".");
}

// A NUL would end the record early and let the rest of the text pass for records of its own.
std::string CNotesFile::StorableText(std::string_view text) {
  return std::string(text.substr(0, std::min(text.find('\0'), kMaxTextLength)));
}

}  // namespace zw

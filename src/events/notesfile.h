// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "timecore/datetime.h"

namespace zw {

class IFileLayer;
class IMessageSink;

// The day notes of the schedule browser, one free text per date, kept in memory between the
// browser's opening (construction) and its closing (Save).
//
// QLNOTES.DAT is a plain run of records: the byte 1, the date as 4-byte little-endian signed
// seconds, the text and a NUL. The file stays as it is until Save replaces it whole, so a
// crash while the browser is open loses only that session's changes.
class CNotesFile {
 public:
  static constexpr std::string_view kFileName = "QLNOTES.DAT";
  static constexpr std::size_t kMaxTextLength = 2002;
  // Far beyond any real notes file; a larger one is refused rather than read into memory.
  static constexpr std::size_t kMaxFileBytes = std::size_t{16} << 20;
  static constexpr std::uint8_t kRecordMarker = 1;
  // Notes further in the past than this are dropped at the save.
  static constexpr int kKeepDays = 3;

  static constexpr std::string_view kReadFailed = "Could not read notes file \"";
  static constexpr std::string_view kOpenFailed = "Could not open notes file \"";
  static constexpr std::string_view kWriteFailed = "Could not write to notes file \"";

  // Loads the file; a missing file gives an empty list without a message.
  CNotesFile(IFileLayer& files, IMessageSink& messages);
  CNotesFile(const CNotesFile&) = delete;
  CNotesFile& operator=(const CNotesFile&) = delete;

  // The text of the note of exactly this second, or "".
  std::string GetNote(const CDateTime& date) const;
  // Replaces the note of that second or adds one. The text ends at its first NUL and is cut
  // to kMaxTextLength, the most a record holds.
  void SetNote(const CDateTime& date, std::string_view text);
  // Writes the notes from three days before now onwards and empties the list. Saving is the
  // end of the object's use: later calls do nothing, so a second save cannot wipe the file.
  void Save();

  bool Failed() const { return m_state == State::kFailed; }

 private:
  enum class State { kOpen, kSaved, kFailed };

  void Load();
  void Parse(const std::vector<std::uint8_t>& bytes);
  std::vector<std::uint8_t> Serialize(std::int64_t from) const;
  void Fail(std::string_view beginning);
  static std::string StorableText(std::string_view text);

  IFileLayer& m_files;
  IMessageSink& m_messages;
  State m_state = State::kOpen;
  // Keyed by the date's seconds: sorted, one note per date.
  std::map<std::int64_t, std::string> m_notes;
};

}  // namespace zw

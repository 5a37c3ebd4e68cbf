// SPDX-License-Identifier: GPL-3.0-or-later
#include "locations/locationdb.h"

#include <algorithm>

#include "locations/zonecompanion.h"
#include "locations/zonefile.h"
#include "locations/zonefilecheck.h"
#include "platform/filelayer.h"
#include "platform/messagesink.h"
#include "platform/translatable.h"

namespace zw {

namespace {

constexpr std::string_view kUnknownTypeMessage =
    ZW_TR_NOOP("Core", "The Time Zone file is corrupted - unknown location type.");
constexpr std::string_view kUnknownCustomTypeMessage =
    ZW_TR_NOOP("Core", "The Custom Time Zone file is corrupted - unknown location type.");
constexpr std::string_view kDuplicateMessage =
    ZW_TR_NOOP("Core", "The Time Zone file is corrupted - duplicate entry.");
constexpr std::string_view kStandardCorrupted = "The Time Zone file is corrupted - line ";
constexpr std::string_view kCustomCorrupted = "The Custom Time Zone file is corrupted - line ";
constexpr std::string_view kUnclosedText = " lacks the closing quote of a text.";
constexpr std::string_view kControlCharacter = " holds a control character in a text.";
constexpr std::string_view kBackupMessage = ZW_TR_NOOP(
    "Core",
    "Cannot keep the previous time zone file as TIME_ZON.BAK, so the downloaded one is taken "
    "in at a later start.  Return code: ");
constexpr std::string_view kSequenceMessage = ZW_TR_NOOP(
    "Core",
    "The Time Zone file is corrupted - invalid sequence. Run setup again to restore the original "
    "file.");

constexpr std::string_view kOpenMessage = ZW_TR_NOOP("Core", "Cannot open the time zone file");
constexpr std::string_view kReadMessage =
    ZW_TR_NOOP("Core", "Cannot read the time zone file.  Return code: ");
constexpr std::string_view kCloseMessage =
    ZW_TR_NOOP("Core", "Cannot close the time zone file.  Close return code: ");
constexpr std::string_view kRunSetupPrefix = "Run setup again to restore file ";
constexpr std::string_view kRunSetupSuffix = ".";

constexpr std::string_view kReadCustomMessage =
    ZW_TR_NOOP("Core", "Cannot read the custom time zone file.  Return code: ");
constexpr std::string_view kCloseCustomMessage =
    ZW_TR_NOOP("Core", "Cannot read the custom time zone file.  Close return code: ");
constexpr std::string_view kDeleteCustomPrefix = " Delete file ";
constexpr std::string_view kDeleteCustomSuffix = " to correct the problem.";

// The three messages a file can give while it is saved.
struct SaveMessages {
  std::string_view open;
  std::string_view write;  // followed by the cause code
  std::string_view close;  // followed by the cause code
};

constexpr SaveMessages kStandardSaveMessages{
    kOpenMessage, ZW_TR_NOOP("Core", "Cannot save the time zone file.  Return code: "),
    ZW_TR_NOOP("Core", "Cannot close the time zone file while saving.  Close return code: ")};
constexpr SaveMessages kCustomSaveMessages{
    ZW_TR_NOOP("Core", "Cannot open the custom time zone file"),
    ZW_TR_NOOP("Core", "Cannot save the custom time zone file.  Return code: "),
    ZW_TR_NOOP("Core",
               "Cannot close the custom time zone file while saving.  Close return code: ")};

constexpr std::string_view kDamagedCompanionPrefix = "The zone names in ";
constexpr std::string_view kDamagedCompanionSuffix =
    " cannot be read. Its places keep the offsets stored with them.";
constexpr SaveMessages kStandardCompanionMessages{
    ZW_TR_NOOP("Core", "Cannot open the zone names file"),
    ZW_TR_NOOP("Core", "Cannot save the zone names file.  Return code: "),
    ZW_TR_NOOP("Core", "Cannot close the zone names file while saving.  Close return code: ")};
constexpr SaveMessages kCustomCompanionMessages{
    ZW_TR_NOOP("Core", "Cannot open the custom zone names file"),
    ZW_TR_NOOP("Core", "Cannot save the custom zone names file.  Return code: "),
    ZW_TR_NOOP("Core",
               "Cannot close the custom zone names file while saving.  Close return code: ")};

// Room for a typical line, so building a file seldom grows its buffer.
constexpr std::size_t kTypicalLineLength = 80;

std::string WithCode(std::string_view text, FileCause cause) {
  return std::string(text) + std::to_string(static_cast<int>(cause));
}

std::string FaultMessage(CZoneFile::Status status, bool isCustom, std::size_t line) {
  const std::string atLine =
      std::string(isCustom ? kCustomCorrupted : kStandardCorrupted) + std::to_string(line);
  switch (status) {
    case CZoneFile::Status::kUnclosedText:
      return atLine + std::string(kUnclosedText);
    case CZoneFile::Status::kControlCharacter:
      return atLine + std::string(kControlCharacter);
    case CZoneFile::Status::kUnknownType:
      return std::string(isCustom ? kUnknownCustomTypeMessage : kUnknownTypeMessage);
    case CZoneFile::Status::kDuplicate:
      return std::string(kDuplicateMessage);
    default:
      return std::string(kSequenceMessage);
  }
}

// A file too large to hold is as unusable as one that cannot be read.
FileError ReadStatus(const ReadResult& read) {
  if (read.stage != FileStage::kNone) {
    return FileError{read.stage, read.cause};
  }
  if (read.truncated) {
    return FileError{FileStage::kRead, FileCause::kInvalidFile};
  }
  return FileError{};
}

ReadResult ReadFile(IFileLayer& files, std::string_view name) {
  return files.Read(std::string(name), CLocationDB::kMaxFileBytes);
}

// An update in `read` has passed CZoneFileCheck, so only TIME_ZON.DAT itself can fail here.
bool LoadStandard(CLocationDB& db, ReadResult read, IMessageSink& messages,
                  const CLocationDB::ProgressCallback& progress) {
  const FileError status = ReadStatus(read);
  if (status.stage == FileStage::kOpen) {
    messages.Warn(std::string(kOpenMessage));
    return false;
  }
  if (!status.Ok()) {
    const bool atClose = status.stage == FileStage::kClose;
    messages.Warn(WithCode(atClose ? kCloseMessage : kReadMessage, status.cause));
    return false;
  }
  if (db.Parse(read.bytes, false, messages, progress)) {
    return true;
  }
  messages.Inform(std::string(kRunSetupPrefix) + std::string(CLocationDB::kStandardFileName) +
                  std::string(kRunSetupSuffix));
  return false;
}

enum class CustomLoad { kLoaded, kUnreadable, kFailed };

// A missing custom file means no custom locations. One that exists but cannot be read is
// reported and then left alone, so a save cannot replace it with the custom locations of
// this run only. A close error is reported but what was read is used.
CustomLoad LoadCustom(CLocationDB& db, IFileLayer& files, IMessageSink& messages,
                      const CLocationDB::ProgressCallback& progress) {
  const ReadResult read = ReadFile(files, CLocationDB::kCustomFileName);
  if (read.stage == FileStage::kOpen && read.cause == FileCause::kFileNotFound) {
    return CustomLoad::kLoaded;
  }
  const FileError status = ReadStatus(read);
  const bool atClose = status.stage == FileStage::kClose;
  if (!status.Ok() && !atClose) {
    messages.Warn(WithCode(kReadCustomMessage, status.cause));
    return CustomLoad::kUnreadable;
  }
  if (!db.Parse(read.bytes, true, messages, progress)) {
    messages.Warn(std::string(kDeleteCustomPrefix) + std::string(CLocationDB::kCustomFileName) +
                  std::string(kDeleteCustomSuffix));
    return CustomLoad::kFailed;
  }
  if (atClose) {
    messages.Warn(WithCode(kCloseCustomMessage, status.cause));
  }
  return CustomLoad::kLoaded;
}

bool IsCustom(const CLocation& location) {
  return location.GetType() == CLocation::kCustom;
}

// Gives the places of one zone file the zones its companion `name` names; false when there
// is no such file or it is damaged.
bool LoadCompanion(CLocationDB& db, IFileLayer& files, IMessageSink& messages, bool custom,
                   std::string_view name) {
  const ReadResult read = ReadFile(files, name);
  if (read.stage == FileStage::kOpen) {
    return false;
  }
  const std::optional<CZoneCompanion> companion =
      ReadStatus(read).Ok() ? CZoneCompanion::Parse(read.bytes) : std::nullopt;
  if (!companion) {
    messages.Warn(std::string(kDamagedCompanionPrefix) + std::string(name) +
                  std::string(kDamagedCompanionSuffix));
    return false;
  }
  // Neighbours mostly share a zone; asking the catalog once per run of them is enough.
  const CTzZone* zone = nullptr;
  std::size_t line = 0;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    CLocation& location = *db.At(i);
    if (IsCustom(location) != custom) {
      continue;
    }
    const CZoneCompanion::Entry* entry =
        companion->FindNext(line, location.GetType(), location.Country(), location.Name());
    if (entry == nullptr) {
      continue;
    }
    if (zone == nullptr || zone->Name() != entry->zone) {
      zone = db.TzZones().Find(entry->zone);
    }
    location.SetTzZone(zone);
    location.SetFollowsTz(entry->follows && location.TzZone() != nullptr);
  }
  return true;
}

// What became of one file on saving. A failed close means the new contents never replaced
// the file; that is reported, but the save goes on and counts as done.
enum class SaveOutcome { kWritten, kKept, kFailed };

SaveOutcome SaveFile(IFileLayer& files, IMessageSink& messages, std::string_view name,
                     const std::string& text, const SaveMessages& texts) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  const FileError error = SaveAtomically(files, std::string(name), {data, text.size()});
  switch (error.stage) {
    case FileStage::kNone:
      return SaveOutcome::kWritten;
    case FileStage::kOpen:
      messages.Warn(std::string(texts.open));
      return SaveOutcome::kFailed;
    case FileStage::kClose:
      messages.Warn(WithCode(texts.close, error.cause));
      return SaveOutcome::kKept;
    default:
      messages.Warn(WithCode(texts.write, error.cause));
      return SaveOutcome::kFailed;
  }
}

// Both files are built whole before either is written, so a failure part-way leaves each
// file either old or new, and both loadable. Returns what became of TIME_ZON.DAT, or
// kFailed when either file failed.
SaveOutcome Worse(SaveOutcome a, SaveOutcome b) {
  return a == SaveOutcome::kFailed || b == SaveOutcome::kFailed ? SaveOutcome::kFailed : a;
}

// The zone file goes first: a companion is matched to its places by name, so one that is
// older or newer than its zone file still serves.
SaveOutcome SavePair(IFileLayer& files, IMessageSink& messages, bool custom,
                     const std::string& lines, const std::string& zones) {
  const std::string_view name =
      custom ? CLocationDB::kCustomFileName : CLocationDB::kStandardFileName;
  const std::string_view companion =
      custom ? CZoneCompanion::kCustomFileName : CZoneCompanion::kStandardFileName;
  if (custom && lines.empty()) {
    files.Remove(std::string(name));
    files.Remove(std::string(companion));
    return SaveOutcome::kWritten;
  }
  const SaveOutcome outcome =
      SaveFile(files, messages, name, lines, custom ? kCustomSaveMessages : kStandardSaveMessages);
  if (outcome == SaveOutcome::kFailed) {
    return outcome;
  }
  return Worse(outcome, SaveFile(files, messages, companion, zones,
                                 custom ? kCustomCompanionMessages : kStandardCompanionMessages));
}

SaveOutcome SaveZoneFiles(const CLocationDB& db, IFileLayer& files, IMessageSink& messages,
                          bool customUnreadable) {
  std::string standard;
  std::string standardZones;
  std::string custom;
  std::string customZones;
  standard.reserve(db.Count() * kTypicalLineLength);
  standardZones.reserve(db.Count() * kTypicalLineLength);
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation& location = *db.At(i);
    const bool isCustom = IsCustom(location);
    CZoneFile::AppendLine(location, isCustom ? custom : standard);
    CZoneCompanion::AppendLine(location, isCustom ? customZones : standardZones);
  }
  const SaveOutcome outcome = SavePair(files, messages, false, standard, standardZones);
  if (outcome == SaveOutcome::kFailed || customUnreadable) {
    return outcome;
  }
  return Worse(outcome, SavePair(files, messages, true, custom, customZones));
}

// A waiting update takes the place of `standard` once it has passed the check and the file
// it replaces has been kept as TIME_ZON.BAK. A refused update is deleted; one that cannot be
// read or whose backup fails waits for a later start.
bool TakeUpdate(IFileLayer& files, IMessageSink& messages, ReadResult update,
                ReadResult& standard) {
  if (update.stage == FileStage::kOpen) {
    return false;
  }
  if (update.stage != FileStage::kNone) {
    const bool atClose = update.stage == FileStage::kClose;
    messages.Warn(WithCode(atClose ? kCloseMessage : kReadMessage, update.cause));
    return false;
  }
  const bool haveCurrent = ReadStatus(standard).Ok();
  const std::size_t currentLines = haveCurrent ? CZoneFileCheck::CountLines(standard.bytes) : 0;
  const CZoneFileCheck::Result check =
      CZoneFileCheck::Check(update.bytes, update.truncated, currentLines);
  if (!check.Ok()) {
    messages.Warn(CZoneFileCheck::Message(check, currentLines));
    files.Remove(std::string(CLocationDB::kUpdateFileName));
    return false;
  }
  // An update whose save failed part-way may have replaced TIME_ZON.DAT already; that copy
  // must not overwrite the backup of the file before it.
  if (haveCurrent && standard.bytes != update.bytes) {
    const FileError kept =
        SaveAtomically(files, std::string(CLocationDB::kBackupFileName), standard.bytes);
    if (!kept.Ok()) {
      messages.Warn(WithCode(kBackupMessage, kept.cause));
      return false;
    }
  }
  standard = std::move(update);
  return true;
}

bool LoadZoneFiles(CLocationDB& db, IFileLayer& files, IMessageSink& messages,
                   const CLocationDB::ProgressCallback& progress, bool& customUnreadable) {
  ReadResult update =
      files.Read(std::string(CLocationDB::kUpdateFileName), CZoneFileCheck::kMaxBytes);
  ReadResult standard = ReadFile(files, CLocationDB::kStandardFileName);
  const bool isUpdate = TakeUpdate(files, messages, std::move(update), standard);
  if (!LoadStandard(db, std::move(standard), messages, progress)) {
    return false;
  }
  const CustomLoad custom = LoadCustom(db, files, messages, progress);
  if (custom == CustomLoad::kFailed) {
    return false;
  }
  customUnreadable = custom == CustomLoad::kUnreadable;
  // The zone names that came with the update describe its places; without them (or when they
  // are damaged) the names in use serve the places they name.
  const std::string updateCompanion(CZoneCompanion::kUpdateFileName);
  if (!isUpdate || !files.Exists(updateCompanion) ||
      !LoadCompanion(db, files, messages, false, updateCompanion)) {
    LoadCompanion(db, files, messages, false, CZoneCompanion::kStandardFileName);
  }
  if (!customUnreadable) {
    LoadCompanion(db, files, messages, true, CZoneCompanion::kCustomFileName);
  }
  // The downloads go only once TIME_ZON.DAT and TIME_ZON.TZN really hold their contents;
  // otherwise the next start takes both in again, so the two never disagree for long.
  if (!isUpdate) {
    files.Remove(updateCompanion);
  } else if (SaveZoneFiles(db, files, messages, customUnreadable) == SaveOutcome::kWritten) {
    files.Remove(std::string(CLocationDB::kUpdateFileName));
    files.Remove(updateCompanion);
  }
  return true;
}

}  // namespace

int CLocationDB::Find(std::string_view name, std::string_view country) const {
  for (std::size_t i = 0; i < m_locations.size(); ++i) {
    const CLocation& loc = *m_locations[i];
    if (loc.Name() == name && loc.Country() == country) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int CLocationDB::IndexOf(const CLocation* location) const {
  const auto it = std::find_if(m_locations.begin(), m_locations.end(),
                               [location](const auto& p) { return p.get() == location; });
  return it == m_locations.end() ? -1 : static_cast<int>(it - m_locations.begin());
}

bool CLocationDB::Precedes(const CLocation& entry, int type, const std::string& country,
                           const std::string& name) {
  // std::string compares bytes as unsigned char, like strcmp.
  if (entry.GetType() != type) {
    return entry.GetType() < type;
  }
  const int byCountry = entry.Country().compare(country);
  if (byCountry != 0) {
    return byCountry < 0;
  }
  return entry.Name().compare(name) < 0;
}

std::size_t CLocationDB::InsertPosition(const CLocation& location, int type) const {
  // The array is kept in this order, so the first entry that belongs after the new one can
  // be found by bisection.
  const auto it = std::partition_point(
      m_locations.begin(), m_locations.end(), [&](const std::unique_ptr<CLocation>& e) {
        return Precedes(*e, type, location.Country(), location.Name());
      });
  return static_cast<std::size_t>(it - m_locations.begin());
}

void CLocationDB::InsertAt(std::unique_ptr<CLocation> location, std::size_t index) {
  index = std::min(index, m_locations.size());
  m_rules.Share(*location);
  m_locations.insert(m_locations.begin() + static_cast<std::ptrdiff_t>(index), std::move(location));
}

std::size_t CLocationDB::Insert(std::unique_ptr<CLocation> location) {
  const std::size_t index = InsertPosition(*location, location->GetType());
  InsertAt(std::move(location), index);
  return index;
}

std::unique_ptr<CLocation> CLocationDB::RemoveAt(std::size_t index, bool destroy) {
  if (index >= m_locations.size()) {
    return nullptr;
  }
  std::unique_ptr<CLocation> taken = std::move(m_locations[index]);
  m_locations.erase(m_locations.begin() + static_cast<std::ptrdiff_t>(index));
  if (!destroy) {
    return taken;
  }
  const auto onClock = std::find(m_clock.begin(), m_clock.end(), taken.get());
  m_clockColors.erase(taken.get());
  if (onClock != m_clock.end()) {
    RemoveFromClock(static_cast<std::size_t>(onClock - m_clock.begin()));
  }
  return nullptr;
}

std::size_t CLocationDB::Reposition(std::size_t index) {
  std::unique_ptr<CLocation> location = RemoveAt(index, false);
  if (!location) {
    return index;
  }
  return Insert(std::move(location));
}

bool CLocationDB::Load(IFileLayer& files, IMessageSink& messages,
                       const ProgressCallback& progress) {
  Destroy();
  m_customUnreadable = false;
  if (LoadZoneFiles(*this, files, messages, progress, m_customUnreadable)) {
    return true;
  }
  Destroy();
  return false;
}

bool CLocationDB::Save(IFileLayer& files, IMessageSink& messages) {
  const bool saved =
      SaveZoneFiles(*this, files, messages, m_customUnreadable) != SaveOutcome::kFailed;
  if (saved && m_customUnreadable) {
    messages.Warn(std::string(kCustomNotSavedMessage));
    return false;
  }
  return saved;
}

bool CLocationDB::Parse(std::span<const std::uint8_t> buffer, bool isCustom, IMessageSink& messages,
                        const ProgressCallback& progress) {
  CZoneFile file(buffer, isCustom, progress);
  CZoneFile::Record record;
  for (;;) {
    const CZoneFile::Status status = file.Next(record);
    if (status == CZoneFile::Status::kEnd) {
      return true;
    }
    if (status != CZoneFile::Status::kRecord) {
      messages.Warn(FaultMessage(status, isCustom, file.Line()));
      return false;
    }
    AppendInOrder(CZoneFile::MakeLocation(record, &m_rules));
  }
}

void CLocationDB::AppendInOrder(std::unique_ptr<CLocation> location) {
  // A file is sorted by its padded key, which orders texts with control characters or
  // trailing blanks differently from this array; such a location is inserted where it
  // belongs so that bisection keeps working.
  if (m_locations.empty() ||
      Precedes(*m_locations.back(), location->GetType(), location->Country(), location->Name())) {
    m_rules.Share(*location);
    m_locations.push_back(std::move(location));
    return;
  }
  Insert(std::move(location));
}

bool CLocationDB::IsOnClock(const CLocation* location) const {
  return std::find(m_clock.begin(), m_clock.end(), location) != m_clock.end();
}

bool CLocationDB::AddToClock(CLocation* location) {
  if (location == nullptr || m_clock.size() >= kMaxClockEntries) {
    return false;
  }
  m_clock.push_back(location);
  Notify(ClockChange::kRelayoutLater);
  return true;
}

bool CLocationDB::AddToClock(CLocation* location, IMessageSink& messages) {
  if (m_clock.size() >= kMaxClockEntries) {
    messages.Warn(ClockFullMessage());
    return false;
  }
  return AddToClock(location);
}

void CLocationDB::RemoveFromClock(std::size_t index) {
  if (index >= m_clock.size()) {
    return;
  }
  m_clock.erase(m_clock.begin() + static_cast<std::ptrdiff_t>(index));
  Notify(ClockChange::kRepaintNow);
}

void CLocationDB::MoveOnClock(std::size_t from, std::size_t to) {
  if (from >= m_clock.size() || to >= m_clock.size() || from == to) {
    return;
  }
  CLocation* moving = m_clock[from];
  m_clock.erase(m_clock.begin() + static_cast<std::ptrdiff_t>(from));
  m_clock.insert(m_clock.begin() + static_cast<std::ptrdiff_t>(to), moving);
}

void CLocationDB::ClearClock() {
  m_clock.clear();
}

void CLocationDB::Destroy() {
  m_clock.clear();
  m_clockColors.clear();
  m_locations.clear();
  m_rules.Clear();
}

std::uint32_t CLocationDB::ClockColor(const CLocation& location) const {
  const auto found = m_clockColors.find(&location);
  return found != m_clockColors.end() ? found->second : kDefaultClockColor;
}

void CLocationDB::SetClockColor(const CLocation& location, std::uint32_t color) {
  m_clockColors[&location] = color;
}

std::string CLocationDB::ClockFullMessage() {
  return std::string(kClockFullPrefix) + std::to_string(kMaxClockEntries) +
         std::string(kClockFullSuffix);
}

void CLocationDB::Notify(ClockChange change) const {
  if (m_listener) {
    m_listener(change);
  }
}

}  // namespace zw

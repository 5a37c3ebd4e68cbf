// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/session.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cli/besideprogram.h"
#include "cli/clierror.h"
#include "cli/latin1.h"
#include "cli/locationlookup.h"
#include "cli/placescanner.h"
#include "cli/zonelookup.h"
#include "events/eventlist.h"
#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "settings/datadirectory.h"
#include "settings/filesettingsstore.h"
#include "settings/userdirectories.h"

namespace zw {

namespace {

constexpr const char* kPlaceIndexName = "/places.index";

CClockSettings StoredSettings() {
  CClockSettings settings;
  CPosixFileLayer files;
  // zw never writes: a record the clock has not yet moved is read where it still is.
  std::string directory = CUserDirectories::Config();
  if (!files.Exists(directory + "/" + std::string(CClockSettings::kRecordName))) {
    directory = CUserDirectories::LegacyConfig();
  }
  CFileSettingsStore store(files, directory);
  settings.Load(store);
  return settings;
}

}  // namespace

CSession::CSession(const Invocation& invocation, std::ostream& err)
    : m_settings(StoredSettings()),
      m_display(invocation.Apply(m_settings.Display())),
      m_files(DataDirectory(invocation), SuppliedSources()),
      m_messages(err) {}

CSession::~CSession() = default;

std::string CSession::DataDirectory(const Invocation& invocation) {
  if (!invocation.dataDir) {
    return CDataDirectory::Choose();
  }
  // The usual directories may not exist before the clock first runs, and the supplied files
  // stand in for them; a directory named on the command line that does not exist is a typo.
  std::error_code error;
  if (!std::filesystem::is_directory(*invocation.dataDir, error)) {
    std::string message = "there is no data directory ";
    message.append(*invocation.dataDir);
    throw CCliError(CCliError::kFailure, message);
  }
  return *invocation.dataDir;
}

std::vector<std::string> CSession::SuppliedSources() {
  std::vector<std::string> sources;
  std::string beside = BesideProgram("share/zonewright");
  if (!beside.empty()) {
    sources.push_back(std::move(beside));
  }
  return sources;
}

CLocationDB& CSession::Locations() {
  if (m_db) {
    return *m_db;
  }
  auto db = std::make_unique<CLocationDB>();
  if (!db->Load(m_files, m_messages)) {
    std::string message = "cannot use the locations in ";
    message.append(m_files.Directory());
    throw CCliError(CCliError::kFailure, message);
  }
  m_db = std::move(db);
  return *m_db;
}

CEventList& CSession::Events() {
  if (m_events) {
    return *m_events;
  }
  auto events = std::make_unique<CEventList>(Locations());
  // A missing event file is simply no events; a damaged one has been reported already.
  events->Load(m_files, m_messages);
  m_events = std::move(events);
  return *m_events;
}

bool CSession::WasAsked(const std::string& name) const {
  return std::any_of(m_asked.begin(), m_asked.end(), [&name](const std::string& asked) {
    return asked.size() == name.size() &&
           std::equal(asked.begin(), asked.end(), name.begin(),
                      [](char a, char b) { return CLatin1::Lower(a) == CLatin1::Lower(b); });
  });
}

CLocationDB& CSession::Named(const std::vector<std::string>& names) {
  if (m_db) {
    return *m_db;
  }
  if (!m_scannerTried) {
    m_scannerTried = true;
    m_scanner = CPlaceScanner::Open(m_files, CUserDirectories::Cache() + kPlaceIndexName);
    m_named = std::make_unique<CLocationDB>();
  }
  if (!m_scanner) {
    return Locations();
  }
  std::vector<std::string> fresh;
  for (const std::string& name : names) {
    if (!WasAsked(name)) {
      fresh.push_back(name);
      m_asked.push_back(name);
    }
  }
  if (!fresh.empty() && !m_scanner->BuildNamed(fresh, *m_named)) {
    m_scanner.reset();
    return Locations();
  }
  return *m_named;
}

void CSession::Prepare(const std::vector<std::string>& texts) {
  std::vector<std::string> names;
  for (const std::string& text : texts) {
    for (std::string& name : CLocationLookup::NamesTried(text)) {
      names.push_back(std::move(name));
    }
  }
  Named(names);
}

CLocation* CSession::Find(std::string_view text) {
  CLocationDB& db = Named(CLocationLookup::NamesTried(text));
  try {
    return CLocationLookup(db).Find(text);
  } catch (const CCliError&) {
    const CTzZone* zone = CZoneLookup::Find(db.TzZones(), text);
    if (zone == nullptr) {
      throw;
    }
    auto place = std::make_unique<CLocation>();
    place->SetType(CLocation::kCustom);
    place->SetName(zone->Name());
    place->SetTzZone(zone);
    place->SetFollowsTz(true);
    m_zonePlaces.push_back(std::move(place));
    return m_zonePlaces.back().get();
  }
}

std::vector<CLocation*> CSession::ClockLocations() {
  std::vector<std::string> names;
  for (const ClockSlot& slot : m_settings.Values().clockSlots) {
    if (!slot.place.Empty()) {
      names.push_back(slot.place.name);
    }
  }
  CLocationDB* db = &Named(names);
  m_settings.RestoreClockList(*db);
  // An empty clock shows its usual places, which only the whole database can pick.
  if (db->ClockCount() == 0 && db != m_db.get()) {
    db = &Locations();
    m_settings.RestoreClockList(*db);
  }
  std::vector<CLocation*> locations;
  for (std::size_t i = 0; i < db->ClockCount(); ++i) {
    locations.push_back(db->ClockAt(i));
  }
  return locations;
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commandline.h"
#include "cli/readonlyfiles.h"
#include "cli/stderrsink.h"
#include "settings/clocksettings.h"
#include "timecore/displayoptions.h"

namespace zw {

class CEventList;
class CLocation;
class CLocationDB;
class CPlaceScanner;

// What the commands read: the user's settings record, the data directory and the files in
// it, each loaded the first time a command asks for it.
class CSession {
 public:
  CSession(const Invocation& invocation, std::ostream& err);
  ~CSession();
  CSession(const CSession&) = delete;
  CSession& operator=(const CSession&) = delete;

  const CClockSettings& Settings() const { return m_settings; }
  const DisplayOptions& Display() const { return m_display; }
  CReadOnlyFiles& Files() { return m_files; }
  CStderrSink& Messages() { return m_messages; }

  // Every location. Throws CCliError(kFailure) when the zone file cannot be used.
  CLocationDB& Locations();
  // Builds the places `texts` may name in one pass over the files, so the Find calls for
  // them that follow read nothing more.
  void Prepare(const std::vector<std::string>& texts);
  CEventList& Events();
  // The one location `text` names, else a place of that tz database zone ("Europe/Paris",
  // "UTC"); throws CCliError(kNotFound) when it is neither.
  CLocation* Find(std::string_view text);
  // The clock's locations in line order; the usual three when the clock list is empty.
  std::vector<CLocation*> ClockLocations();

  // $ZONEWRIGHT_DATA_DIR, else the per-user directory, unless the command line names one;
  // throws CCliError(kFailure) when the one named does not exist.
  static std::string DataDirectory(const Invocation& invocation);
  // Where the clock copies the supplied files from.
  static std::vector<std::string> SuppliedSources();

 private:
  CClockSettings m_settings;
  DisplayOptions m_display;
  CReadOnlyFiles m_files;
  CStderrSink m_messages;
  // Places found by their names, built as they are asked for; a database holding every
  // place named so far, which answers a lookup as the whole one would. Only the whole
  // database is used once it is loaded, or when the scanner cannot serve the files.
  CLocationDB& Named(const std::vector<std::string>& names);
  bool WasAsked(const std::string& name) const;

  std::unique_ptr<CLocationDB> m_db;
  std::unique_ptr<CPlaceScanner> m_scanner;
  bool m_scannerTried = false;
  std::unique_ptr<CLocationDB> m_named;
  std::vector<std::string> m_asked;
  std::unique_ptr<CEventList> m_events;
  // Places made for the tz zones named on the command line.
  std::vector<std::unique_ptr<CLocation>> m_zonePlaces;
};

}  // namespace zw

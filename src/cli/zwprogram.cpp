// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/zwprogram.h"

#include <algorithm>
#include <sstream>

#include "cli/calendarwriter.h"
#include "cli/changescommand.h"
#include "cli/clierror.h"
#include "cli/comparecommand.h"
#include "cli/convertcommand.h"
#include "cli/eventscommand.h"
#include "cli/findcommand.h"
#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/plancommand.h"
#include "cli/session.h"
#include "cli/timescommand.h"
#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "convert/ratedates.h"
#include "events/missedevents.h"
#include "locations/locationdb.h"

namespace zw {

namespace {

using Command = Invocation::Command;

// The moment a run is about: the one given, read as GMT or as the wall-clock time of a
// location, or now.
CDateTime MomentOf(const Invocation& invocation, const CLocation* in) {
  if (!invocation.when) {
    return CDateTime();
  }
  if (in == nullptr) {
    return *invocation.when;
  }
  return CTimesCommand::FromWallClock(*in, *invocation.when);
}

// The schedule browser's stored basis, GMT when it is unset or gone.
const CLocation* StoredBasis(CSession& session) {
  const PlaceName& basis = session.Settings().Values().scheduleBasis;
  if (basis.Empty()) {
    return nullptr;
  }
  const CLocationDB& db = session.Locations();
  const int index = db.Find(basis.name, basis.country);
  return index < 0 ? nullptr : db.At(static_cast<std::size_t>(index));
}

// The named locations, or the clock's when none are named.
std::vector<CLocation*> Locations(CSession& session, const std::vector<std::string>& names) {
  if (names.empty()) {
    return session.ClockLocations();
  }
  session.Prepare(names);
  std::vector<CLocation*> locations;
  for (const std::string& name : names) {
    locations.push_back(session.Find(name));
  }
  return locations;
}

void Times(CSession& session, const Invocation& invocation, std::ostream& result) {
  const CLocation* in = invocation.in ? session.Find(*invocation.in) : nullptr;
  const CDateTime gmt = MomentOf(invocation, in);
  const std::vector<CLocation*> locations = Locations(session, invocation.arguments);
  if (!invocation.changes) {
    CTimesCommand::Write(locations, gmt, session.Display(), invocation.json, result);
    return;
  }
  if (!invocation.json) {
    CTimesCommand::Write(locations, gmt, session.Display(), false, result);
    result << '\n';
    CChangesCommand::Write(locations, gmt, std::nullopt, false, result);
    return;
  }
  // One document holding both lists, so the output stays one JSON value.
  std::ostringstream times;
  CTimesCommand::Write(locations, gmt, session.Display(), true, times);
  CJsonWriter changes;
  CChangesCommand::WriteArray(locations, gmt, std::nullopt, changes);
  std::string timesText = times.str();
  timesText.pop_back();
  result << "{\"times\":" << timesText << ",\"changes\":" << changes.Text() << "}\n";
}

void Compare(CSession& session, const Invocation& invocation, std::ostream& result) {
  CLocation* left = session.Find(invocation.arguments[0]);
  CLocation* right = session.Find(invocation.arguments[1]);
  const CLocation* in = invocation.in ? session.Find(*invocation.in) : nullptr;
  if (in != nullptr && in != left && in != right) {
    throw CCliError(CCliError::kUsage, "--in must name one of the two locations compared");
  }
  CCompareCommand::Write(*left, *right, MomentOf(invocation, in), session.Display(),
                         invocation.json, result);
}

void Events(CSession& session, const Invocation& invocation, std::ostream& result,
            std::ostream& listing) {
  if (invocation.ics) {
    std::string why;
    const std::unique_ptr<CCalendarWriter> writer = CCalendarWriter::Load(why);
    if (!writer) {
      throw CCliError(CCliError::kFailure, "calendars cannot be written: " + why);
    }
    CEventsCommand::WriteIcs(
        session.Events(),
        [&writer](const std::vector<const CEventSchedule*>& events, const CDateTime& now) {
          return writer->Write(events, now);
        },
        result);
    return;
  }
  if (invocation.missed) {
    CLastSeenFile seen(session.Files().Directory() + "/" + std::string(CLastSeenFile::kFileName));
    CEventsCommand::WriteMissed(session.Events(), seen.Load(), session.Display(), invocation.json,
                                result);
    return;
  }
  if (invocation.list) {
    CEventsCommand::WriteList(session.Events(), session.Display(), ComputerLocalTime,
                              invocation.json, result);
    return;
  }
  CEventsCommand::Range range;
  if (invocation.basis) {
    range.basis = session.Find(*invocation.basis);
  } else if (!invocation.gmt) {
    range.basis = StoredBasis(session);
  }
  const int storedDays = session.Settings().Values().scheduleDays;
  range.days = invocation.days.value_or(std::clamp(storedDays, 0, CCommandLine::kMaxDays));
  range.firstDay = invocation.from.value_or(CEventsCommand::Today(range.basis));
  CEventsCommand::Write(session.Events(), range, session.Display(), invocation.json, listing);
}

void Convert(CSession& session, const Invocation& invocation, std::ostream& result) {
  const std::vector<std::string>& args = invocation.arguments;
  CCurrencyFile currencies;
  const DataFileStatus currencyStatus = currencies.Load(session.Files());
  CMeasureFile measures;
  const DataFileStatus measureStatus = measures.Load(session.Files());
  CConversionLookup::Plan plan;
  try {
    plan = CConversionLookup(currencies, measures).Resolve(args[1], args[2]);
  } catch (const CCliError&) {
    // A name may be unknown only because its table could not be read.
    if (currencyStatus != DataFileStatus::kLoaded) {
      session.Messages().Warn(CCurrencyFile::Message(currencyStatus));
    }
    if (measureStatus != DataFileStatus::kLoaded) {
      session.Messages().Warn(CMeasureFile::Message(measureStatus));
    }
    throw;
  }
  CConvertCommand::DateEachRate(plan, CRateDates::Load(session.Files()));
  CConvertCommand::Write(plan, args[0], invocation.json, result);
}

}  // namespace

int CZwProgram::Run(const std::vector<std::string>& words) {
  const int status = RunCommand(words);
  if (m_out.flush()) {
    return status;
  }
  m_err << "zw: cannot write the output\n";
  return CCliError::kFailure;
}

int CZwProgram::RunCommand(const std::vector<std::string>& words) {
  try {
    const Invocation invocation = CCommandLine::Parse(words);
    if (invocation.help) {
      m_out << CCommandLine::Usage() << '\n' << CCommandLine::Help();
      return 0;
    }
    if (invocation.version) {
      m_out << CCommandLine::Version();
      return 0;
    }
    std::ostringstream result;
    Dispatch(invocation, result, m_out);
    m_out << result.str();
    return 0;
  } catch (const CCliError& error) {
    m_err << "zw: " << CLatin1::MessageToUtf8(error.what(), words) << '\n';
    if (error.GetStatus() == CCliError::kUsage) {
      m_err << CCommandLine::Usage();
    }
    return error.GetStatus();
  } catch (const std::exception& error) {
    m_err << "zw: " << error.what() << '\n';
    return CCliError::kFailure;
  }
}

void CZwProgram::Dispatch(const Invocation& invocation, std::ostream& result,
                          std::ostream& listing) {
  CSession session(invocation, m_err);
  switch (invocation.command) {
    case Command::kNow:
    case Command::kAt:
      Times(session, invocation, result);
      return;
    case Command::kCompare:
      Compare(session, invocation, result);
      return;
    case Command::kFind:
      CFindCommand::Write(session.Locations(), invocation.arguments.front(), session.Display(),
                          invocation.json, listing);
      return;
    case Command::kEvents:
      Events(session, invocation, result, listing);
      return;
    case Command::kConvert:
      Convert(session, invocation, result);
      return;
    case Command::kChanges:
      CChangesCommand::Write(Locations(session, invocation.arguments), CDateTime(), invocation.days,
                             invocation.json, result);
      return;
    case Command::kPlan:
      CPlanCommand::Write(Locations(session, invocation.arguments), *invocation.from,
                          invocation.json, result);
      return;
    case Command::kNone:
      return;
  }
}

}  // namespace zw

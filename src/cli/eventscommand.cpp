#include "cli/eventscommand.h"

#include "cli/jsonwriter.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "events/schedulelisting.h"
#include "locations/location.h"

namespace zw {

namespace {

using Listing = CScheduleListing;

void WriteJson(const Listing& listing, const CLocation* basis, const DisplayOptions& options,
               std::ostream& out) {
  CJsonWriter writer;
  writer.BeginObject().StringField("basis", CEventsCommand::BasisText(basis));
  writer.Key("occurrences").BeginArray();
  for (std::size_t row = 0; row < listing.Count(); ++row) {
    const Listing::Event& event = listing.EventOf(row);
    std::string utc = CWhenText::Iso(CDateTime::FromSeconds(listing.At(row).gmt));
    utc.push_back('Z');
    writer.BeginObject()
        .StringField("name", listing.Text(row, Listing::kNameColumn, options))
        .StringField("time", listing.Text(row, Listing::kTimeColumn, options))
        .StringField("location", event.alarm.LocationName())
        .StringField("country", event.alarm.LocationCountry())
        .StringField("frequency", listing.Text(row, Listing::kFrequencyColumn, options))
        .NumberField("pre_notify_minutes", event.alarm.Fields().preNotifyMinutes)
        .StringField("utc", utc)
        .EndObject();
  }
  writer.EndArray().EndObject();
  out << writer.Text() << '\n';
}

void WritePlain(const Listing& listing, const DisplayOptions& options, std::ostream& out) {
  CTableWriter table;
  for (std::size_t row = 0; row < listing.Count(); ++row) {
    std::vector<std::string> cells;
    for (int column = 0; column < Listing::kColumnCount; ++column) {
      cells.push_back(listing.Text(row, column, options));
    }
    table.AddRow(std::move(cells));
  }
  table.Write(out);
}

}  // namespace

CDateTime CEventsCommand::Today(const CLocation* basis) {
  const CDateTime now;
  const CDateTime local = basis != nullptr ? basis->Zone().ToLocal(now) : now;
  return CDateTime(local.Year(), local.Month(), local.Day(), 0, 0, 0);
}

std::string CEventsCommand::BasisText(const CLocation* basis) {
  return basis != nullptr ? CLocationLookup::Place(*basis) : std::string(kGmtBasis);
}

void CEventsCommand::Write(const CEventList& alarms, const Range& range,
                           const DisplayOptions& options, bool json, std::ostream& out) {
  Listing listing;
  const CDateTime& day = range.firstDay;
  listing.Fill(alarms, range.basis != nullptr ? &range.basis->Zone() : nullptr, day.Year(),
               day.Month(), day.Day(), range.days);
  if (json) {
    WriteJson(listing, range.basis, options, out);
    return;
  }
  WritePlain(listing, options, out);
}

}  // namespace zw

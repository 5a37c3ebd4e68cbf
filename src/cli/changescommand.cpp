// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/changescommand.h"

#include "cli/jsonwriter.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "cli/zonetext.h"
#include "locations/location.h"
#include "timecore/offsetchange.h"

namespace zw {

namespace {

struct Found {
  const CLocation* location;
  std::optional<OffsetChange> change;  // nullopt: none within the range
};

std::vector<Found> Collect(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                           std::optional<int> days) {
  std::vector<Found> found;
  for (const CLocation* location : locations) {
    const CZone zone = location->Zone();
    if (!days) {
      found.push_back({location, NextOffsetChange(zone, gmt)});
      continue;
    }
    const CDateTime until = gmt + CDateSpan(*days, 0, 0, 0);
    bool any = false;
    for (auto change = NextOffsetChange(zone, gmt); change && change->at <= until;
         change = NextOffsetChange(zone, change->at)) {
      found.push_back({location, change});
      any = true;
    }
    if (!any) {
      found.push_back({location, std::nullopt});
    }
  }
  return found;
}

}  // namespace

void CChangesCommand::WriteArray(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                                 std::optional<int> days, CJsonWriter& json) {
  json.BeginArray();
  for (const Found& found : Collect(locations, gmt, days)) {
    json.BeginObject()
        .StringField("name", found.location->Name())
        .StringField("country", found.location->Country());
    if (found.change) {
      const OffsetChange& change = *found.change;
      json.StringField("utc", CWhenText::Iso(change.at) + "Z")
          .StringField("localBefore", CWhenText::Iso(change.localBefore))
          .NumberField("oldOffsetMinutes", change.oldOffset / CDateSpan::kSecondsPerMinute)
          .NumberField("newOffsetMinutes", change.newOffset / CDateSpan::kSecondsPerMinute)
          .StringField("text", DescribeOffsetChange(change));
    } else {
      json.Key("utc").Null();
    }
    json.EndObject();
  }
  json.EndArray();
}

void CChangesCommand::Write(const std::vector<CLocation*>& locations, const CDateTime& gmt,
                            std::optional<int> days, bool json, std::ostream& out) {
  if (json) {
    CJsonWriter writer;
    WriteArray(locations, gmt, days, writer);
    out << writer.Text() << '\n';
    return;
  }
  CTableWriter table;
  for (const Found& found : Collect(locations, gmt, days)) {
    if (!found.change) {
      table.AddRow({CLocationLookup::Place(*found.location), "", "No change of offset coming"});
      continue;
    }
    const OffsetChange& change = *found.change;
    table.AddRow({CLocationLookup::Place(*found.location),
                  CZoneText::Offset(change.oldOffset / CDateSpan::kSecondsPerMinute) + " -> " +
                      CZoneText::Offset(change.newOffset / CDateSpan::kSecondsPerMinute),
                  DescribeOffsetChange(change)});
  }
  table.Write(out);
}

}  // namespace zw

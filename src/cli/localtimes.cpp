// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/localtimes.h"

#include "cli/jsonwriter.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "cli/zonetext.h"
#include "locations/location.h"
#include "locations/placetime.h"

namespace zw {

namespace {

// Without leading zeros a time starts with a blank that keeps the columns of a table in
// line; a JSON reader has no columns.
std::string_view Unpadded(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

const CLocalTimes::Entry& CLocalTimes::Add(const CLocation& location, const CDateTime& gmt) {
  PlaceTime converted = PlaceTime::FromGmt(location, gmt, m_options);
  Entry entry;
  entry.location = &location;
  entry.gmt = gmt;
  entry.local = converted.local;
  entry.date = std::move(converted.date);
  entry.time = std::move(converted.time);
  const ZoneState state = location.Zone().At(gmt);
  entry.offsetMinutes = state.offsetSeconds / CDateSpan::kSecondsPerMinute;
  entry.dst = state.dst;
  m_entries.push_back(std::move(entry));
  return m_entries.back();
}

void CLocalTimes::AddRows(CTableWriter& table) const {
  for (const Entry& entry : m_entries) {
    table.AddRow({CLocationLookup::Place(*entry.location), entry.date, entry.time,
                  CZoneText::Offset(entry.offsetMinutes),
                  entry.dst ? std::string(CZoneText::kDst) : std::string()});
  }
}

void CLocalTimes::WriteArray(CJsonWriter& json) const {
  json.BeginArray();
  for (const Entry& entry : m_entries) {
    WriteObject(json, entry);
  }
  json.EndArray();
}

void CLocalTimes::WriteObject(CJsonWriter& json, const Entry& entry) {
  std::string utc = CWhenText::Iso(entry.gmt);
  utc.push_back('Z');
  json.BeginObject()
      .StringField("name", entry.location->Name())
      .StringField("country", entry.location->Country())
      .StringField("date", entry.date)
      .StringField("time", Unpadded(entry.time))
      .StringField("offset", CZoneText::Offset(entry.offsetMinutes))
      .NumberField("offset_minutes", entry.offsetMinutes)
      .BoolField("dst", entry.dst)
      .StringField("local", CWhenText::Iso(entry.local))
      .StringField("utc", utc);
  CZoneText::WriteZone(json, *entry.location);
  json.EndObject();
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/findcommand.h"

#include <algorithm>

#include "cli/clierror.h"
#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/zonetext.h"
#include "locations/locationdb.h"
#include "locations/namefolding.h"

namespace zw {

namespace {

// The stored rule says nothing about a place whose times come from its tz zone.
std::string RuleText(const CLocation& location, const DisplayOptions& options) {
  return location.Zone().Tz() != nullptr ? std::string()
                                         : CZoneText::Rule(location.GetDstRule(), options);
}

// The last column: the zone the times come from, else the stored rule.
std::string ZoneOrRule(const CLocation& location, const DisplayOptions& options) {
  const CTzZone* zone = location.Zone().Tz();
  return zone != nullptr ? zone->Name() : CZoneText::Rule(location.GetDstRule(), options);
}

void WriteJson(const std::vector<const CLocation*>& found, const DisplayOptions& options,
               std::ostream& out) {
  const CDateTime now;
  CJsonWriter writer;
  writer.BeginArray();
  for (const CLocation* location : found) {
    out << writer.Take();
    const std::string rule = RuleText(*location, options);
    const int offset = CZoneText::StandardOffsetMinutes(*location, now);
    writer.BeginObject()
        .StringField("name", location->Name())
        .StringField("country", location->Country())
        .StringField("type", CZoneText::TypeName(location->GetType()))
        .StringField("offset", CZoneText::Offset(offset))
        .NumberField("offset_minutes", offset);
    CZoneText::WriteZone(writer, *location);
    writer.Key("dst_rule");
    if (rule.empty()) {
      writer.Null();
    } else {
      writer.String(rule);
    }
    writer.EndObject();
  }
  writer.EndArray();
  out << writer.Take() << '\n';
}

void WritePlain(const std::vector<const CLocation*>& found, const DisplayOptions& options,
                std::ostream& out) {
  const CDateTime now;
  CTableWriter::Stream(
      found.size(),
      [&found, &options, &now](std::size_t row) -> std::vector<std::string> {
        const CLocation& location = *found[row];
        return {CLocationLookup::Place(location),
                std::string(CZoneText::TypeName(location.GetType())),
                CZoneText::Offset(CZoneText::StandardOffsetMinutes(location, now)),
                ZoneOrRule(location, options)};
      },
      out);
}

}  // namespace

std::vector<const CLocation*> CFindCommand::Search(const CLocationDB& db, std::string_view text) {
  // Case aside, and accents too unless the text has its own: "Zurich" finds "Zürich", while
  // "ü" finds only what holds it. Letters no data file holds can only be matched folded.
  const bool accented = std::any_of(text.begin(), text.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }) &&
                        !CLatin1::IsBeyondLatin1(text);
  const auto form = [accented](std::string_view name) {
    return accented ? CLatin1::Lower(name) : CNameFolding::FoldLatin1(name);
  };
  const std::string wanted = accented ? CLatin1::Lower(text) : CNameFolding::FoldTyped(text);
  std::vector<const CLocation*> found;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation* location = db.At(i);
    if (form(location->Name()).find(wanted) != std::string::npos ||
        form(location->Country()).find(wanted) != std::string::npos) {
      found.push_back(location);
    }
  }
  return found;
}

void CFindCommand::Write(const CLocationDB& db, std::string_view text,
                         const DisplayOptions& options, bool json, std::ostream& out) {
  const std::vector<const CLocation*> found = Search(db, text);
  if (found.empty()) {
    std::string message = "no location's name or country holds \"";
    message.append(text).append("\"");
    throw CCliError(CCliError::kNotFound, message);
  }
  if (json) {
    WriteJson(found, options, out);
    return;
  }
  WritePlain(found, options, out);
}

}  // namespace zw

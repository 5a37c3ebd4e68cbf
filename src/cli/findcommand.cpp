#include "cli/findcommand.h"

#include "cli/clierror.h"
#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/zonetext.h"
#include "locations/locationdb.h"

namespace zw {

namespace {

void WriteJson(const std::vector<const CLocation*>& found, const DisplayOptions& options,
               std::ostream& out) {
  CJsonWriter writer;
  writer.BeginArray();
  for (const CLocation* location : found) {
    const std::string rule = CZoneText::Rule(location->GetDstRule(), options);
    writer.BeginObject()
        .StringField("name", location->Name())
        .StringField("country", location->Country())
        .StringField("type", CZoneText::TypeName(location->GetType()))
        .StringField("offset", CZoneText::Offset(CZoneText::StandardOffsetMinutes(*location)))
        .NumberField("offset_minutes", CZoneText::StandardOffsetMinutes(*location))
        .Key("dst_rule");
    if (rule.empty()) {
      writer.Null();
    } else {
      writer.String(rule);
    }
    writer.EndObject();
  }
  writer.EndArray();
  out << writer.Text() << '\n';
}

void WritePlain(const std::vector<const CLocation*>& found, const DisplayOptions& options,
                std::ostream& out) {
  CTableWriter table;
  for (const CLocation* location : found) {
    table.AddRow({CLocationLookup::Place(*location),
                  std::string(CZoneText::TypeName(location->GetType())),
                  CZoneText::Offset(CZoneText::StandardOffsetMinutes(*location)),
                  CZoneText::Rule(location->GetDstRule(), options)});
  }
  table.Write(out);
}

}  // namespace

std::vector<const CLocation*> CFindCommand::Search(const CLocationDB& db, std::string_view text) {
  const std::string wanted = CLatin1::Lower(text);
  std::vector<const CLocation*> found;
  for (std::size_t i = 0; i < db.Count(); ++i) {
    const CLocation* location = db.At(i);
    if (CLatin1::Lower(location->Name()).find(wanted) != std::string::npos ||
        CLatin1::Lower(location->Country()).find(wanted) != std::string::npos) {
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

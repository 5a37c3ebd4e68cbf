// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plancommand.h"

#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "locations/location.h"
#include "locations/meetinggrid.h"

namespace zw {

namespace {

// "09" for an hour on the hour, "09:30" otherwise; "*" marks working hours, "+" and "-" a
// local date after or before the chosen one.
std::string CellText(const MeetingCell& cell) {
  std::string text = CMeetingGrid::HourText(cell.local);
  if (cell.local.Minute() == 0) {
    text.resize(2);
  }
  if (cell.working) {
    text.insert(0, "*");
  }
  if (cell.dayShift != 0) {
    text.push_back(cell.dayShift > 0 ? '+' : '-');
  }
  return text;
}

std::vector<MeetingPlace> PlacesOf(const std::vector<CLocation*>& locations) {
  std::vector<MeetingPlace> places;
  for (const CLocation* location : locations) {
    places.push_back({CLocationLookup::Place(*location), location->Zone(), WorkingHours{}});
  }
  return places;
}

void WriteJson(const CMeetingGrid& grid, const std::vector<CLocation*>& locations,
               const CDateTime& date, std::ostream& out) {
  CJsonWriter json;
  json.BeginObject().StringField("date", CWhenText::Iso(date).substr(0, 10));
  json.Key("places").BeginArray();
  for (std::size_t row = 0; row < grid.Rows(); ++row) {
    json.BeginObject()
        .StringField("name", locations[row]->Name())
        .StringField("country", locations[row]->Country());
    json.Key("hours").BeginArray();
    for (int column = 0; column < CMeetingGrid::kColumns; ++column) {
      const MeetingCell& cell = grid.Cell(row, column);
      json.BeginObject()
          .StringField("local", CWhenText::Iso(cell.local))
          .NumberField("dayShift", cell.dayShift)
          .BoolField("working", cell.working)
          .BoolField("night", cell.night)
          .EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().Key("goodForAll").BeginArray();
  for (const int column : grid.GoodForAll()) {
    json.String(CWhenText::Iso(grid.ColumnGmt(column)) + "Z");
  }
  json.EndArray().EndObject();
  out << json.Text() << '\n';
}

}  // namespace

void CPlanCommand::Write(const std::vector<CLocation*>& locations, const CDateTime& date, bool json,
                         std::ostream& out) {
  const CMeetingGrid grid(PlacesOf(locations), date);
  if (json) {
    WriteJson(grid, locations, date, out);
    return;
  }
  CTableWriter table;
  for (std::size_t row = 0; row < grid.Rows(); ++row) {
    std::vector<std::string> cells{grid.Name(row)};
    for (int column = 0; column < CMeetingGrid::kColumns; ++column) {
      cells.push_back(CellText(grid.Cell(row, column)));
    }
    table.AddRow(std::move(cells));
  }
  table.Write(out);
  out << "\n* working hours, + next day, - day before\nGood for all:";
  const std::vector<int> good = grid.GoodForAll();
  if (good.empty()) {
    out << " none";
  }
  for (const int column : good) {
    out << ' ' << CMeetingGrid::HourText(grid.Cell(0, column).local);
  }
  out << (grid.Rows() > 0 ? " (" + CLatin1::ToUtf8(grid.Name(0)) + " time)\n" : std::string("\n"));
}

}  // namespace zw

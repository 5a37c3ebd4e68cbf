// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/eventscommand.h"

#include <algorithm>
#include <optional>

#include "cli/jsonwriter.h"
#include "cli/locationlookup.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "events/eventlist.h"
#include "events/missedevents.h"
#include "events/schedulelisting.h"
#include "events/schedulestream.h"
#include "locations/location.h"

namespace zw {

namespace {

using Listing = CScheduleListing;

// Rows are written as they are made, so memory stays flat however long the range.
void WriteJson(const CEventList& alarms, const CEventsCommand::Range& range, const CZone* basis,
               const DisplayOptions& options, std::ostream& out) {
  const CDateTime& day = range.firstDay;
  CScheduleStream stream(alarms, basis, day.Year(), day.Month(), day.Day(), range.days);
  CJsonWriter writer;
  writer.BeginObject().StringField("basis", CEventsCommand::BasisText(range.basis));
  writer.Key("occurrences").BeginArray();
  while (const std::optional<CScheduleStream::Occurrence> row = stream.Next()) {
    const Listing::Event& event = *row->event;
    const auto text = [&](int column) {
      return Listing::CellText(event, row->shown, column, options);
    };
    std::string utc = CWhenText::Iso(CDateTime::FromSeconds(row->gmt));
    utc.push_back('Z');
    writer.BeginObject()
        .StringField("name", text(Listing::kNameColumn))
        .StringField("time", text(Listing::kTimeColumn))
        .StringField("location", event.alarm.LocationName())
        .StringField("country", event.alarm.LocationCountry())
        .StringField("frequency", text(Listing::kFrequencyColumn))
        .NumberField("pre_notify_minutes", event.alarm.Fields().preNotifyMinutes)
        .StringField("utc", utc)
        .EndObject();
    out << writer.Take();
  }
  writer.EndArray().EndObject();
  out << writer.Take() << '\n';
}

void WritePlain(const CEventList& alarms, const CEventsCommand::Range& range, const CZone* basis,
                const DisplayOptions& options, std::ostream& out) {
  const CDateTime& day = range.firstDay;
  CTableWriter::Stream(
      [&](const CTableWriter::RowSink& sink) {
        CScheduleStream stream(alarms, basis, day.Year(), day.Month(), day.Day(), range.days);
        while (const std::optional<CScheduleStream::Occurrence> row = stream.Next()) {
          std::vector<std::string> cells;
          for (int column = 0; column < Listing::kColumnCount; ++column) {
            cells.push_back(Listing::CellText(*row->event, row->shown, column, options));
          }
          sink(std::move(cells));
        }
      },
      out);
}

struct ListRow {
  std::string name, state, repeat, place, computer;
};

std::vector<ListRow> ListRows(const CEventList& alarms, const DisplayOptions& options,
                              const ComputerZone& computer) {
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < alarms.GetCount(); ++i) {
    const CEventSchedule& schedule = *alarms.GetSchedule(i);
    const CEvent& alarm = *schedule.Alarm();
    ListRow row{alarm.Name(),
                alarm.IsOff() ? "off" : "on",
                RepeatWords(alarm, options.hour24 != 0),
                {},
                {}};
    if (const std::optional<NextTimes> next = NextTimesOf(schedule, computer)) {
      row.place = Listing::TimeText(next->place, options);
      row.computer = Listing::TimeText(next->computer, options);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

void CEventsCommand::WriteList(const CEventList& alarms, const DisplayOptions& options,
                               const ComputerZone& computer, bool json, std::ostream& out) {
  const std::vector<ListRow> rows = ListRows(alarms, options, computer);
  if (!json) {
    CTableWriter table;
    for (const ListRow& row : rows) {
      table.AddRow({row.name, row.state, row.repeat, row.place, row.computer});
    }
    table.Write(out);
    return;
  }
  CJsonWriter writer;
  writer.BeginObject().Key("events").BeginArray();
  for (const ListRow& row : rows) {
    writer.BeginObject()
        .StringField("name", row.name)
        .StringField("state", row.state)
        .StringField("repeat", row.repeat)
        .StringField("next_at_place", row.place)
        .StringField("next_here", row.computer)
        .EndObject();
  }
  writer.EndArray().EndObject();
  out << writer.Text() << '\n';
}

void CEventsCommand::WriteMissed(const CEventList& alarms, const std::optional<CDateTime>& lastSeen,
                                 const DisplayOptions& options, bool json, std::ostream& out) {
  const std::vector<MissedOccurrence> missed = CMissedEvents::Find(alarms, lastSeen, CDateTime());
  const auto message = [](const CEvent& alarm) {
    std::string text = alarm.MessageText().empty() ? alarm.Name() : alarm.MessageText();
    std::erase(text, '\r');
    std::ranges::replace(text, '\n', ' ');
    return text;
  };
  if (!json) {
    CTableWriter table;
    for (const MissedOccurrence& m : missed) {
      table.AddRow({Listing::TimeText(m.at, options), m.place, message(*m.alarm),
                    std::string(CMissedEvents::Word(m.action))});
    }
    table.Write(out);
    return;
  }
  CJsonWriter writer;
  writer.BeginObject().Key("missed").BeginArray();
  for (const MissedOccurrence& m : missed) {
    std::string utc = CWhenText::Iso(m.gmt);
    utc.push_back('Z');
    writer.BeginObject()
        .StringField("name", m.alarm->Name())
        .StringField("time", Listing::TimeText(m.at, options))
        .StringField("location", m.alarm->LocationName())
        .StringField("country", m.alarm->LocationCountry())
        .StringField("message", message(*m.alarm))
        .StringField("action", CMissedEvents::Word(m.action))
        .StringField("due_utc", utc)
        .EndObject();
  }
  writer.EndArray().EndObject();
  out << writer.Text() << '\n';
}

void CEventsCommand::WriteIcs(const CEventList& alarms, const CalendarText& calendar,
                              std::ostream& out) {
  std::vector<const CEventSchedule*> all;
  for (std::size_t i = 0; i < alarms.GetCount(); ++i) {
    all.push_back(alarms.GetSchedule(i));
  }
  out << calendar(all, CDateTime());
}

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
  const std::optional<CZone> basis =
      range.basis != nullptr ? std::optional<CZone>(range.basis->Zone()) : std::nullopt;
  if (json) {
    WriteJson(alarms, range, basis ? &*basis : nullptr, options, out);
    return;
  }
  WritePlain(alarms, range, basis ? &*basis : nullptr, options, out);
}

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>

#include "cli/jsonwriter.h"
#include "cli/latin1.h"
#include "cli/tablewriter.h"
#include "cli/whentext.h"
#include "cli/zonetext.h"
#include "jsonreader.h"

using namespace zw;

namespace {

TEST(Latin1, ConvertsBothWaysAndLeavesOtherTextAlone) {
  EXPECT_EQ(CLatin1::ToUtf8("Z\xFCrich \xC5"
                            "ngelholm"),
            "Zürich Ångelholm");
  EXPECT_EQ(CLatin1::FromUtf8("Zürich Ångelholm"),
            "Z\xFCrich \xC5"
            "ngelholm");
  EXPECT_EQ(CLatin1::FromUtf8(CLatin1::ToUtf8("\x80\xA0\xFF")), "\x80\xA0\xFF");
  // Characters beyond Latin-1 cannot name anything in the files; the text stays as typed.
  EXPECT_EQ(CLatin1::FromUtf8("Łódź"), "Łódź");
  // Bytes that are no UTF-8 are taken as Latin-1 already.
  EXPECT_EQ(CLatin1::FromUtf8("Z\xFCrich"), "Z\xFCrich");
  EXPECT_EQ(CLatin1::FromUtf8("\xC3"), "\xC3");
  EXPECT_EQ(CLatin1::Lower("Z\xDCRICH \xD7"), "z\xFCrich \xD7");
  EXPECT_EQ(CLatin1::Utf8Width("Zürich"), 6u);
}

TEST(JsonWriter, WritesNestedValuesThatReadBack) {
  CJsonWriter writer;
  writer.BeginObject()
      .StringField("name", "Z\xFCrich \"old\" \\ town\n\t\x01")
      .NumberField("minutes", -210)
      .BoolField("dst", true)
      .Key("none")
      .Null()
      .Key("list")
      .BeginArray()
      .Number(1)
      .BeginObject()
      .EndObject()
      .BeginArray()
      .EndArray()
      .String("")
      .EndArray()
      .EndObject();
  EXPECT_EQ(writer.Text(),
            "{\"name\":\"Zürich \\\"old\\\" \\\\ town\\n\\t\\u0001\",\"minutes\":-210,"
            "\"dst\":true,\"none\":null,\"list\":[1,{},[],\"\"]}");
  const auto value = test::JsonReader::Parse(writer.Text());
  ASSERT_TRUE(value);
  EXPECT_EQ((*value)["name"].text, "Zürich \"old\" \\ town\n\t\x01");
  EXPECT_EQ((*value)["minutes"].number, -210);
  EXPECT_EQ((*value)["list"].items.size(), 4u);
}

TEST(TableWriter, LinesUpColumnsByCharactersNotBytes) {
  CTableWriter table;
  table.AddRow({"Z\xFCrich, Switzerland", "01/15/2026", "x", ""});
  table.AddRow({"Tokyo, Japan", "01/15/2026", "long cell", "DST"});
  table.AddRow({"Kolkata", "", "y"});
  std::ostringstream out;
  table.Write(out);
  EXPECT_EQ(out.str(),
            "Zürich, Switzerland  01/15/2026  x\n"
            "Tokyo, Japan         01/15/2026  long cell  DST\n"
            "Kolkata                          y\n");
}

// Tables of every shape up to four rows by three columns, with Latin-1 cells and rows of
// differing lengths, stream exactly as they print when kept whole.
TEST(TableWriter, StreamsEveryTableAsItWritesIt) {
  const std::vector<std::string> cells = {"", "a", "Z\xFCrich", "New York  x", "  "};
  for (std::size_t shape = 0; shape < 4 * 3 * cells.size(); ++shape) {
    const std::size_t rows = shape % 4 + 1;
    const std::size_t columns = shape / 4 % 3 + 1;
    const auto row = [&](std::size_t index) {
      std::vector<std::string> made;
      for (std::size_t column = 0; column < columns - index % 2 * (columns > 1); ++column) {
        made.push_back(cells[(shape + index * 3 + column) % cells.size()]);
      }
      return made;
    };
    CTableWriter table;
    for (std::size_t i = 0; i < rows; ++i) {
      table.AddRow(row(i));
    }
    std::ostringstream kept;
    table.Write(kept);
    std::ostringstream streamed;
    CTableWriter::Stream(rows, row, streamed);
    EXPECT_EQ(streamed.str(), kept.str()) << shape;
  }
}

TEST(ZoneText, WordsOffsetsKindsAndRules) {
  EXPECT_EQ(CZoneText::Offset(540), "GMT+9:00");
  EXPECT_EQ(CZoneText::Offset(-210), "GMT-3:30");
  EXPECT_EQ(CZoneText::Offset(-30), "GMT-0:30");
  EXPECT_EQ(CZoneText::Offset(0), "GMT+0:00");
  EXPECT_EQ(CZoneText::Offset(630), "GMT+10:30");
  EXPECT_EQ(CZoneText::TypeName(2), "Area Code");
  EXPECT_EQ(CZoneText::TypeName(7), "");

  const DstRule newYork{1, 1, 0, 2, 2, 0, 0, 10, 2};
  DisplayOptions options;
  EXPECT_EQ(CZoneText::Rule(newYork, options),
            "DST from the 2nd Sunday of March at 02:00 AM to the 1st Sunday of November at "
            "02:00 AM");
  options.hour24 = true;
  options.leadingZeros = false;
  const DstRule southern{1, 4, 6, 9, 23, 0, 0, 3, 3};
  EXPECT_EQ(CZoneText::Rule(southern, options),
            "DST from the last Saturday of October at 23:00 to the 1st Sunday of April at 03:00");
  EXPECT_EQ(CZoneText::Rule(DstRule{}, options), "");
  // A damaged rule observes no daylight saving, so it is not described as one.
  EXPECT_EQ(CZoneText::Rule(DstRule{1, 7, 0, 2, 2, 0, 0, 10, 2}, options), "");
}

TEST(WhenText, ReadsOnlyWholeMomentsThatExist) {
  EXPECT_EQ(CWhenText::ParseMoment("2026-03-08 02:30"), CDateTime(2026, 3, 8, 2, 30, 0));
  EXPECT_EQ(CWhenText::ParseMoment("2026-03-08T02:30:59"), CDateTime(2026, 3, 8, 2, 30, 59));
  EXPECT_EQ(CWhenText::ParseMoment("2024-02-29 00:00"), CDateTime(2024, 2, 29, 0, 0, 0));
  EXPECT_EQ(CWhenText::ParseMoment("1970-01-01 00:00"), CDateTime(1970, 1, 1, 0, 0, 0));
  EXPECT_EQ(CWhenText::ParseMoment("2099-12-31 23:59:59"), CDateTime(2099, 12, 31, 23, 59, 59));
  for (const char* bad :
       {"2026-02-29 00:00", "2026-04-31 00:00", "2026-13-01 00:00", "2026-00-10 00:00",
        "2026-03-08 24:00", "2026-03-08 23:60", "2026-03-08 23:59:60", "2026-3-8 02:30",
        "2026-03-08 2:30", "2026-03-08", "2026-03-08 02:30:", "2026-03-08 02:30:5",
        "2026-03-08  02:30", "1969-12-31 23:59", "2100-01-01 00:00", "2026/03/08 02:30",
        "2026-03-08 02:30 PM", ""}) {
    EXPECT_FALSE(CWhenText::ParseMoment(bad)) << bad;
  }
  EXPECT_EQ(CWhenText::ParseDate("2037-01-30"), CDateTime(2037, 1, 30, 0, 0, 0));
  EXPECT_FALSE(CWhenText::ParseDate("2037-01-30 00:00"));
  EXPECT_FALSE(CWhenText::ParseDate("2037-02-30"));
  EXPECT_EQ(CWhenText::Iso(CDateTime(2026, 12, 9, 2, 10, 54)), "2026-12-09T02:10:54");
}

}  // namespace

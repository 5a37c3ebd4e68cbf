// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/snoozefile.h"

#include <gtest/gtest.h>

#include <random>

using namespace zw;

namespace {

std::vector<std::uint8_t> Bytes(const CEvent& alarm) {
  std::uint8_t record[CEvent::kRecordSize];
  alarm.ToBytes(record);
  return {std::begin(record), std::end(record)};
}

// Records of random bytes come back byte for byte; each line damaged on its own is passed
// over without taking its neighbours along; no more than the limit is written.
TEST(SnoozeFile, RecordsComeBackWholeAndDamageStaysInItsLine) {
  std::mt19937 rng(1404);
  std::vector<CSnoozeFile::Entry> entries;
  for (std::size_t i = 0; i < CSnoozeFile::kMaxAlarms + 5; ++i) {
    std::uint8_t record[CEvent::kRecordSize];
    for (std::uint8_t& b : record) {
      b = static_cast<std::uint8_t>(rng());
    }
    CSnoozeFile::Entry entry{CDateTime::FromSeconds(1'800'000'000 + 60 * std::int64_t(i)),
                             CEvent()};
    entry.alarm.FromBytes(record);
    entries.push_back(entry);
  }
  const std::string text = CSnoozeFile::Encode(entries);
  EXPECT_LE(text.size(), CSnoozeFile::kMaxBytes);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), CSnoozeFile::kMaxAlarms);
  const std::vector<CSnoozeFile::Entry> back = CSnoozeFile::Decode(lines);
  ASSERT_EQ(back.size(), CSnoozeFile::kMaxAlarms);
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].gmtDue, entries[i].gmtDue);
    EXPECT_EQ(Bytes(back[i].alarm), Bytes(entries[i].alarm));
  }

  for (const std::string& bad :
       {std::string("x"), lines[1].substr(0, lines[1].size() - 1), lines[2] + "0",
        "-5" + lines[3].substr(10), "99999999999" + lines[4].substr(10),
        lines[5].substr(0, 40) + "G" + lines[5].substr(41)}) {
    const std::vector<CSnoozeFile::Entry> kept = CSnoozeFile::Decode({bad, lines[0]});
    ASSERT_EQ(kept.size(), 1u) << bad.substr(0, 20);
    EXPECT_EQ(Bytes(kept[0].alarm), Bytes(entries[0].alarm));
  }
}

}  // namespace

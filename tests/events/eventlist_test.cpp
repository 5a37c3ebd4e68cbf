// SPDX-License-Identifier: GPL-3.0-or-later
#include "events/eventlist.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "locations/locationdb.h"
#include "platform/posixfilelayer.h"
#include "support/fakeclock.h"
#include "support/faultyfilelayer.h"
#include "support/recordingsink.h"
#include "support/scopedcwd.h"
#include "support/tempdir.h"

using namespace zw;

namespace {

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::unique_ptr<CEvent> Daily(const std::string& name, const std::string& location,
                              const std::string& country, const std::string& time) {
  auto alarm = std::make_unique<CEvent>();
  CEvent::SetText(alarm->Fields().name, name);
  CEvent::SetText(alarm->Fields().locationName, location);
  CEvent::SetText(alarm->Fields().locationCountry, country);
  CEvent::SetText(alarm->Fields().timeText, time);
  alarm->Fields().frequency = kDaily;
  return alarm;
}

class AlarmListTest : public ::testing::Test {
 protected:
  AlarmListTest() {
    AddLocation("Tokyo", "Japan", 9);
    AddLocation("Lima", "Peru", -5);
  }

  void AddLocation(const std::string& name, const std::string& country, int offset) {
    auto loc = std::make_unique<CLocation>();
    loc->SetName(name);
    loc->SetCountry(country);
    loc->SetOffset(offset);
    m_db.Insert(std::move(loc));
  }

  std::string FilePath() const { return m_dir.File("ALM_ZON.DAT"); }

  test::FakeClock m_clock{2026, 12, 8, 12, 0, 0};  // 21:00 in Tokyo, 07:00 in Lima
  test::TempDir m_dir;
  test::ScopedCwd m_cwd{m_dir.Path()};
  test::FaultyFileLayer m_files;
  test::RecordingSink m_messages;
  CLocationDB m_db;
};

}  // namespace

TEST(Alarm, NewRecordDefaultsAndZeroPads) {
  CEvent alarm(3);
  const AlarmRecord& r = alarm.Fields();
  EXPECT_EQ(r.listMode, 3);
  EXPECT_EQ(r.monthDay, 1);
  EXPECT_EQ(r.annualDay, 1);
  EXPECT_EQ(r.playCount, 10);
  EXPECT_EQ(r.notifyMissed, 1);
  EXPECT_EQ(r.frequency, 0);
  EXPECT_EQ(r.preNotifyMinutes, 0);

  // Whatever the pad bytes held in memory (or in an older file), they are written as zero.
  std::vector<std::uint8_t> noisy(CEvent::kRecordSize, 0xAB);
  alarm.FromBytes(noisy.data());
  std::uint8_t out[CEvent::kRecordSize];
  alarm.ToBytes(out);
  const std::pair<std::size_t, std::size_t> pads[] = {
      {41, 3}, {139, 1}, {175, 1}, {581, 3}, {845, 3}};
  for (const auto& [offset, size] : pads) {
    for (std::size_t i = 0; i < size; ++i) {
      EXPECT_EQ(out[offset + i], 0) << "pad byte " << offset + i;
    }
  }
  EXPECT_EQ(out[0], 0xAB);
  EXPECT_EQ(out[1403], 0xAB);
}

TEST(Alarm, TextsEndAtTheirFieldWithoutTerminator) {
  CEvent alarm;
  std::memset(alarm.Fields().name, 'n', sizeof alarm.Fields().name);
  std::memset(alarm.Fields().timeText, '1', sizeof alarm.Fields().timeText);
  EXPECT_EQ(alarm.Name(), std::string(41, 'n'));
  EXPECT_EQ(alarm.TimeText(), std::string(9, '1'));
  CEvent::SetText(alarm.Fields().messageText, std::string(500, 'm'));
  EXPECT_EQ(alarm.MessageText(), std::string(400, 'm'));
}

TEST_F(AlarmListTest, MissingFileGivesEmptyListSilently) {
  CEventList list(m_db);
  EXPECT_FALSE(list.Load(m_files, m_messages));
  EXPECT_EQ(list.GetCount(), 0u);
  EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(AlarmListTest, SavingAnEmptyListDeletesTheFile) {
  {
    CEventList list(m_db);
    list.Add(Daily("Call home", "Tokyo", "Japan", "08:00:00"));
    ASSERT_TRUE(list.Save(m_files, m_messages));
    ASSERT_TRUE(m_files.Exists(FilePath()));
    list.RemoveAt(0);
    ASSERT_TRUE(list.Save(m_files, m_messages));
  }
  EXPECT_FALSE(m_files.Exists(FilePath()));
  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  EXPECT_EQ(reloaded.GetCount(), 0u);
  // Deleting a file that is already gone is no error either.
  EXPECT_TRUE(reloaded.Save(m_files, m_messages));
  EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(AlarmListTest, RoundTripKeepsEveryByteButTheDueFields) {
  CEventList list(m_db);
  auto alarm = Daily("Stand-up", "Lima", "Peru", "09:30:00");
  alarm->Fields().preNotifyMinutes = 15;
  CEvent::SetText(alarm->Fields().messageText, "Join the call");
  alarm->Fields().extras = 0;
  list.Add(std::move(alarm));
  ASSERT_TRUE(list.Save(m_files, m_messages));

  const std::vector<std::uint8_t> first = ReadFile(FilePath());
  ASSERT_EQ(first.size(), 1404u);
  // Lima is at 07:00; the next due instant is 09:15 today, written into the due fields.
  std::int32_t due[6];
  std::memcpy(due, first.data() + 1372, sizeof due);
  EXPECT_EQ(due[0], 2026);
  EXPECT_EQ(due[1], 12);
  EXPECT_EQ(due[2], 8);
  EXPECT_EQ(due[3], 9);
  EXPECT_EQ(due[4], 15);
  EXPECT_EQ(due[5], 0);

  CEventList reloaded(m_db);
  ASSERT_TRUE(reloaded.Load(m_files, m_messages));
  ASSERT_EQ(reloaded.GetCount(), 1u);
  ASSERT_TRUE(reloaded.Save(m_files, m_messages));
  EXPECT_EQ(ReadFile(FilePath()), first);
}

TEST_F(AlarmListTest, SavedDueInstantWinsOverTheOneComputedFromNow) {
  CEventList list(m_db);
  list.Add(Daily("Missed", "Tokyo", "Japan", "08:00:00"));
  list.GetSchedule(0)->SetNext(2026, 12, 1, 8, 0, 0);  // a week ago
  ASSERT_TRUE(list.Save(m_files, m_messages));

  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  ASSERT_EQ(reloaded.GetCount(), 1u);
  ASSERT_TRUE(reloaded.GetSchedule(0)->Next());
  EXPECT_EQ(*reloaded.GetSchedule(0)->Next(), CDateTime(2026, 12, 1, 8, 0, 0));
}

TEST_F(AlarmListTest, EventWithoutNextOccurrenceSavesAndStaysWithoutOne) {
  CEventList list(m_db);
  auto past = Daily("Past trip", "Tokyo", "Japan", "08:00:00");
  past->Fields().frequency = kOneTime;
  CEvent::SetText(past->Fields().dateText, "01/02/2020");
  list.Add(std::move(past));
  ASSERT_FALSE(list.GetSchedule(0)->Next());
  ASSERT_TRUE(list.Save(m_files, m_messages));

  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  ASSERT_EQ(reloaded.GetCount(), 1u);
  EXPECT_FALSE(reloaded.GetSchedule(0)->Next());
}

TEST_F(AlarmListTest, EventsWhoseLocationIsGoneAreKeptAndShownAsSuch) {
  CEventList list(m_db);
  list.Add(Daily("Kept", "Tokyo", "Japan", "08:00:00"));
  list.Add(Daily("Case differs", "tokyo", "Japan", "08:00:00"));
  list.Add(Daily("Country differs", "Lima", "Peru ", "08:00:00"));
  list.Add(Daily("Also kept", "Lima", "Peru", "08:00:00"));
  list.GetSchedule(1)->SetNext(2026, 12, 9, 8, 0, 0);
  ASSERT_TRUE(list.Save(m_files, m_messages));
  const std::vector<std::uint8_t> saved = ReadFile(FilePath());
  ASSERT_EQ(saved.size(), 4u * 1404u);

  // A database that lost places (a shorter zone file) must not cost the events using them.
  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  ASSERT_EQ(reloaded.GetCount(), 4u);
  EXPECT_EQ(reloaded.ListText(0), "Kept");
  EXPECT_EQ(reloaded.ListText(1), "Case differs (place not found)");
  EXPECT_EQ(reloaded.ListText(2), "Country differs (place not found)");
  EXPECT_EQ(reloaded.GetSchedule(1)->Location(), nullptr);
  ASSERT_TRUE(reloaded.Save(m_files, m_messages));
  EXPECT_EQ(ReadFile(FilePath()), saved) << "kept as read, due instant included";
  EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(AlarmListTest, TrailingPartialRecordIsIgnored) {
  CEventList list(m_db);
  list.Add(Daily("One", "Tokyo", "Japan", "08:00:00"));
  list.Add(Daily("Two", "Lima", "Peru", "08:00:00"));
  ASSERT_TRUE(list.Save(m_files, m_messages));
  std::vector<std::uint8_t> bytes = ReadFile(FilePath());
  bytes.insert(bytes.end(), 100, 0x55);
  WriteFile(FilePath(), bytes);

  CEventList reloaded(m_db);
  reloaded.Load(m_files, m_messages);
  EXPECT_EQ(reloaded.GetCount(), 2u);
}

TEST_F(AlarmListTest, RemoveByScheduleIdentity) {
  CEventList list(m_db);
  list.Add(Daily("A", "Tokyo", "Japan", "08:00:00"));
  CEventSchedule* b = list.Add(Daily("B", "Tokyo", "Japan", "09:00:00"));
  list.Add(Daily("C", "Lima", "Peru", "10:00:00"));
  CEventList other(m_db);
  CEventSchedule* foreign = other.Add(Daily("B", "Tokyo", "Japan", "09:00:00"));
  list.Remove(foreign);
  EXPECT_EQ(list.GetCount(), 3u);
  list.Remove(b);
  ASSERT_EQ(list.GetCount(), 2u);
  EXPECT_EQ(list.GetAlarm(0)->Name(), "A");
  EXPECT_EQ(list.GetAlarm(1)->Name(), "C");
  EXPECT_EQ(list.FirstUsing(m_db.At(static_cast<std::size_t>(m_db.Find("Lima", "Peru")))), 1);
  list.RemoveAt(7);
  EXPECT_EQ(list.GetCount(), 2u);
}

TEST_F(AlarmListTest, SaveFailuresKeepTheOldFileAndSayWhy) {
  CEventList list(m_db);
  list.Add(Daily("First", "Tokyo", "Japan", "08:00:00"));
  ASSERT_TRUE(list.Save(m_files, m_messages));
  const std::vector<std::uint8_t> before = ReadFile(FilePath());
  list.Add(Daily("Second", "Lima", "Peru", "08:00:00"));

  struct Case {
    FileStage stage;
    FileCause cause;
    std::string message;
  };
  const Case cases[] = {
      {FileStage::kOpen, FileCause::kAccessDenied, "Cannot open the alarm file to save it."},
      {FileStage::kWrite, FileCause::kDiskFull, "Cannot save the alarm file.  Return code: 13"},
      {FileStage::kClose, FileCause::kHardwareIo,
       "Cannot close the alarm file while saving.  Close return code: 10"},
  };
  for (const Case& c : cases) {
    m_messages.Clear();
    m_files.FailWrite(m_files.Writes() + 1, c.cause, c.stage);
    EXPECT_FALSE(list.Save(m_files, m_messages));
    ASSERT_EQ(m_messages.Messages().size(), 1u);
    EXPECT_EQ(m_messages.LastText(), c.message);
    EXPECT_EQ(ReadFile(FilePath()), before);
  }
  m_messages.Clear();
  m_files.FailRename(m_files.Renames() + 1, FileCause::kAccessDenied);
  EXPECT_FALSE(list.Save(m_files, m_messages));
  EXPECT_EQ(m_messages.LastText(), "Cannot save the alarm file.  Return code: 5");
  EXPECT_EQ(ReadFile(FilePath()), before);

  // The old file still loads.
  CEventList reloaded(m_db);
  EXPECT_TRUE(reloaded.Load(m_files, m_messages));
  EXPECT_EQ(reloaded.GetCount(), 1u);
}

TEST_F(AlarmListTest, AFileThatCannotBeReadIsReportedOnceAndNeverReplaced) {
  const struct {
    const char* what;
    FileStage stage;
    FileCause cause;
    bool oversized;
    std::string said;
  } cases[] = {
      {"not opened", FileStage::kOpen, FileCause::kAccessDenied, false,
       "Cannot read the alarm file.  Return code: 5"},
      {"not read", FileStage::kRead, FileCause::kHardwareIo, false,
       "Cannot read the alarm file.  Return code: 10"},
      {"larger than any list", FileStage::kNone, FileCause::kNone, true,
       "Cannot read the alarm file.  Return code: 6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CEventList list(m_db);
    list.Add(Daily("First", "Tokyo", "Japan", "08:00:00"));
    ASSERT_TRUE(list.Save(m_files, m_messages));
    if (c.oversized) {
      std::filesystem::resize_file(FilePath(), (CEventList::kMaxEvents + 1) * CEvent::kRecordSize);
    }
    const std::vector<std::uint8_t> before = ReadFile(FilePath());
    test::FaultyFileLayer files;
    if (c.stage != FileStage::kNone) {
      files.FailRead(1, c.cause, c.stage);
    }
    m_messages.Clear();
    CEventList reloaded(m_db);
    EXPECT_FALSE(reloaded.Load(files, m_messages));
    EXPECT_EQ(reloaded.GetCount(), 0u);
    // Neither an empty list nor a new event may replace or remove the file.
    EXPECT_FALSE(reloaded.Save(files, m_messages));
    reloaded.Add(Daily("New", "Lima", "Peru", "09:00:00"));
    EXPECT_FALSE(reloaded.Save(files, m_messages));
    const std::string notSaved(CEventList::kNotSavedMessage);
    EXPECT_EQ(m_messages.Messages().size(), 3u);
    EXPECT_EQ(m_messages.Messages().front().text, c.said);
    EXPECT_EQ(m_messages.LastText(), notSaved);
    EXPECT_EQ(ReadFile(FilePath()), before);
  }
}

TEST_F(AlarmListTest, RandomBytesNeverCrashTheLoader) {
  std::mt19937 rng(1404);
  CPosixFileLayer files;
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> bytes(rng() % (3 * 1404 + 10));
    for (auto& b : bytes) {
      b = static_cast<std::uint8_t>(rng());
    }
    // Give some records a real location so they get past the lookup and get scheduled.
    for (std::size_t at = 0; at + 1404 <= bytes.size(); at += 1404) {
      if (rng() % 2 == 0) {
        std::memcpy(&bytes[at + 48], "Tokyo", 6);
        std::memcpy(&bytes[at + 89], "Japan", 6);
      }
    }
    WriteFile(FilePath(), bytes);
    CEventList list(m_db);
    list.Load(files, m_messages);
    EXPECT_LE(list.GetCount(), bytes.size() / 1404);
    EXPECT_TRUE(list.Save(files, m_messages));
  }
}

TEST(Alarm, ExtrasLiveInTheReservedWordAlone) {
  std::mt19937 rng(1396);
  const std::uint8_t plain[CEvent::kRecordSize] = {};
  for (int kind = 0; kind < 4; ++kind) {
    for (int interval = 0; interval <= EventExtras::kMaxInterval; ++interval) {
      for (int weekdays = 0; weekdays <= EventExtras::kWeekdayBits; ++weekdays) {
        for (int ordinal = EventExtras::kLastOrdinal; ordinal <= EventExtras::kMaxOrdinal;
             ++ordinal) {
          const EventExtras extras{(interval + weekdays) % 2 == 1, static_cast<RepeatKind>(kind),
                                   interval, weekdays, ordinal,
                                   static_cast<MissedChoice>(interval % 3)};
          // Bits a later version may use come back as they were read.
          const auto unknown = static_cast<std::int32_t>(rng() & 0xFF800000u);
          const std::int32_t word = extras.PackInto(unknown);
          ASSERT_EQ(EventExtras::Unpack(word), extras);
          ASSERT_EQ(word & static_cast<std::int32_t>(0xFF800000u), unknown);
        }
      }
    }
  }
  // A record carrying extras differs from a plain one in the reserved word only, which every
  // earlier version wrote as zero and copies back unread.
  CEvent alarm;
  std::uint8_t before[CEvent::kRecordSize];
  alarm.FromBytes(plain);
  alarm.ToBytes(before);
  alarm.SetExtras({true, RepeatKind::kNthWeekday, 255, 127, EventExtras::kLastOrdinal});
  std::uint8_t after[CEvent::kRecordSize];
  alarm.ToBytes(after);
  for (std::size_t i = 0; i < CEvent::kRecordSize; ++i) {
    if (i < 1396 || i >= 1400) {
      EXPECT_EQ(before[i], after[i]) << "byte " << i;
    }
  }
  // What every earlier file holds: on, with the record's own repeat, run late when missed; the
  // one code no choice uses never silences an event.
  EXPECT_FALSE(EventExtras::Unpack(0).off);
  EXPECT_EQ(EventExtras::Unpack(0).kind, RepeatKind::kPlain);
  EXPECT_EQ(EventExtras::Unpack(0).missed, MissedChoice::kRunLate);
  EXPECT_EQ(EventExtras::Unpack(3 << 21).missed, MissedChoice::kRunLate);
}

TEST_F(AlarmListTest, FileWithExtrasStillLoadsInTheEarlierLoader) {
  CEventList list(m_db);
  const auto add = [&](const std::string& name, int frequency, EventExtras extras) {
    auto alarm = Daily(name, "Tokyo", "Japan", "08:00:00");
    alarm->Fields().frequency = frequency;
    alarm->Fields().weekday = 2;
    CEvent::SetText(alarm->Fields().dateText, "12/01/2026");
    alarm->SetExtras(extras);
    list.Add(std::move(alarm));
  };
  add("Off", kDaily, {.off = true});
  add("Every weekday", kWeekly,
      {.kind = RepeatKind::kEveryNWeeks, .interval = 1, .weekdays = EventExtras::kMondayToFriday});
  add("Every 2 days", kDaily, {.kind = RepeatKind::kEveryNDays, .interval = 2});
  add("Last Friday", kMonthly,
      {.kind = RepeatKind::kNthWeekday, .interval = 1, .weekdays = 1 << 5, .ordinal = -1});
  ASSERT_TRUE(list.Save(m_files, m_messages));
  const std::vector<std::uint8_t> written = ReadFile(FilePath());

  // This version reads back what it wrote: the off event has nothing due, the others their
  // richer repeat (Tokyo is at 21:00 on Tuesday, December 8th).
  {
    CEventList reloaded(m_db);
    ASSERT_TRUE(reloaded.Load(m_files, m_messages));
    ASSERT_EQ(reloaded.GetCount(), 4u);
    EXPECT_TRUE(reloaded.GetAlarm(0)->IsOff());
    EXPECT_FALSE(reloaded.GetSchedule(0)->Next());
    EXPECT_EQ(reloaded.GetSchedule(1)->Next(), CDateTime(2026, 12, 9, 8, 0, 0));
    EXPECT_EQ(reloaded.GetSchedule(2)->Next(), CDateTime(2026, 12, 9, 8, 0, 0));
    EXPECT_EQ(reloaded.GetSchedule(3)->Next(), CDateTime(2026, 12, 25, 8, 0, 0));
  }

  // An earlier version never reads the reserved word: with it cleared the same loader is
  // exactly the earlier code path, and it finds the same events with their base frequency.
  std::vector<std::uint8_t> seenByEarlier = written;
  for (std::size_t at = 1396; at < seenByEarlier.size(); at += CEvent::kRecordSize) {
    std::fill_n(seenByEarlier.begin() + static_cast<std::ptrdiff_t>(at), 4, 0);
  }
  WriteFile(FilePath(), seenByEarlier);
  CEventList earlier(m_db);
  ASSERT_TRUE(earlier.Load(m_files, m_messages));
  ASSERT_EQ(earlier.GetCount(), list.GetCount());
  for (std::size_t i = 0; i < list.GetCount(); ++i) {
    const CEvent& was = *list.GetAlarm(i);
    const CEvent& seen = *earlier.GetAlarm(i);
    EXPECT_EQ(seen.Name(), was.Name());
    EXPECT_EQ(seen.LocationName(), was.LocationName());
    EXPECT_EQ(seen.TimeText(), was.TimeText());
    EXPECT_EQ(seen.Fields().frequency, was.Fields().frequency);
    EXPECT_EQ(seen.Repeat(), RepeatKind::kPlain);
    // The off event was saved with nothing due, so the earlier version does not fire it
    // either until it is edited there.
    EXPECT_EQ(earlier.GetSchedule(i)->Next().has_value(), !was.IsOff()) << was.Name();
  }
  EXPECT_TRUE(m_messages.Messages().empty());
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "events/eventextras.h"
#include "timecore/fixedtext.h"

namespace zw {

// How often an event recurs; stored as the record's `frequency`.
enum EventFrequency : std::int32_t {
  kDaily = 0,
  kWeekly = 1,
  kMonthly = 2,
  kAnnual = 3,
  kOneTime = 4,
};

// The fields of one event exactly as ALM_ZON.DAT stores them. Offsets are a file format.
struct AlarmRecord {
  char name[41];
  std::uint8_t pad41[3];
  std::int32_t listMode;
  char locationName[41];
  char locationCountry[41];
  char timeText[9];  // "HH:MM:SS", 24-hour
  std::uint8_t pad139[1];
  std::int32_t frequency;
  std::int32_t weekday;  // 1 = Sunday .. 7 = Saturday
  std::int32_t monthDay;
  std::int32_t lastDayOfMonth;
  std::int32_t annualMonth;  // 1..12
  std::int32_t annualDay;
  char dateText[11];  // "MM/DD/YYYY"
  std::uint8_t pad175[1];
  std::int32_t showMessage;
  char messageText[401];
  std::uint8_t pad581[3];
  std::int32_t playMedia;
  std::uint8_t mediaIsVideo;
  char mediaFile[256];
  std::uint8_t pad845[3];
  std::int32_t playCount;
  char programCommand[256];
  char startDirectory[256];
  std::int32_t runProgram;
  std::int32_t notifyMissed;
  std::int32_t dueYear;
  std::int32_t dueMonth;
  std::int32_t dueDay;
  std::int32_t dueHour;
  std::int32_t dueMinute;
  std::int32_t dueSecond;
  std::int32_t extras;  // EventExtras; always zero before they existed
  std::int32_t preNotifyMinutes;
};

static_assert(sizeof(AlarmRecord) == 1404);
static_assert(offsetof(AlarmRecord, name) == 0);
static_assert(offsetof(AlarmRecord, pad41) == 41);
static_assert(offsetof(AlarmRecord, listMode) == 44);
static_assert(offsetof(AlarmRecord, locationName) == 48);
static_assert(offsetof(AlarmRecord, locationCountry) == 89);
static_assert(offsetof(AlarmRecord, timeText) == 130);
static_assert(offsetof(AlarmRecord, pad139) == 139);
static_assert(offsetof(AlarmRecord, frequency) == 140);
static_assert(offsetof(AlarmRecord, weekday) == 144);
static_assert(offsetof(AlarmRecord, monthDay) == 148);
static_assert(offsetof(AlarmRecord, lastDayOfMonth) == 152);
static_assert(offsetof(AlarmRecord, annualMonth) == 156);
static_assert(offsetof(AlarmRecord, annualDay) == 160);
static_assert(offsetof(AlarmRecord, dateText) == 164);
static_assert(offsetof(AlarmRecord, pad175) == 175);
static_assert(offsetof(AlarmRecord, showMessage) == 176);
static_assert(offsetof(AlarmRecord, messageText) == 180);
static_assert(offsetof(AlarmRecord, pad581) == 581);
static_assert(offsetof(AlarmRecord, playMedia) == 584);
static_assert(offsetof(AlarmRecord, mediaIsVideo) == 588);
static_assert(offsetof(AlarmRecord, mediaFile) == 589);
static_assert(offsetof(AlarmRecord, pad845) == 845);
static_assert(offsetof(AlarmRecord, playCount) == 848);
static_assert(offsetof(AlarmRecord, programCommand) == 852);
static_assert(offsetof(AlarmRecord, startDirectory) == 1108);
static_assert(offsetof(AlarmRecord, runProgram) == 1364);
static_assert(offsetof(AlarmRecord, notifyMissed) == 1368);
static_assert(offsetof(AlarmRecord, dueYear) == 1372);
static_assert(offsetof(AlarmRecord, dueMonth) == 1376);
static_assert(offsetof(AlarmRecord, dueDay) == 1380);
static_assert(offsetof(AlarmRecord, dueHour) == 1384);
static_assert(offsetof(AlarmRecord, dueMinute) == 1388);
static_assert(offsetof(AlarmRecord, dueSecond) == 1392);
static_assert(offsetof(AlarmRecord, extras) == 1396);
static_assert(offsetof(AlarmRecord, preNotifyMinutes) == 1400);

// One event (the user also says alarm): a plain record, copied byte for byte by the dialogs
// that edit it.
class CEvent {
 public:
  static constexpr std::size_t kRecordSize = sizeof(AlarmRecord);

  // monthDay 1, annualDay 1, playCount 10, notifyMissed 1, listMode as given, all else zero.
  explicit CEvent(std::int32_t listMode = 0);

  AlarmRecord& Fields() { return m_record; }
  const AlarmRecord& Fields() const { return m_record; }

  // The bytes as stored, pad bytes zeroed so the file carries no stale memory.
  void ToBytes(std::uint8_t (&out)[kRecordSize]) const;
  // Overwrites all fields from a stored record (pad bytes as they come).
  void FromBytes(const std::uint8_t* bytes);

  // Texts of the record's fields; a text without its terminator ends at its field.
  std::string Name() const { return Text(m_record.name); }
  std::string LocationName() const { return Text(m_record.locationName); }
  std::string LocationCountry() const { return Text(m_record.locationCountry); }
  std::string MessageText() const { return Text(m_record.messageText); }
  std::string MediaFile() const { return Text(m_record.mediaFile); }
  std::string ProgramCommand() const { return Text(m_record.programCommand); }
  std::string StartDirectory() const { return Text(m_record.startDirectory); }
  std::string TimeText() const { return Text(m_record.timeText); }
  std::string DateText() const { return Text(m_record.dateText); }

  // The on/off switch and the richer repeats.
  EventExtras Extras() const { return EventExtras::Unpack(m_record.extras); }
  void SetExtras(const EventExtras& extras) { m_record.extras = extras.PackInto(m_record.extras); }
  bool IsOff() const { return Extras().off; }
  void SetOff(bool off);
  // The repeat in force. An extra kind counts only while the record keeps its base frequency:
  // an event whose frequency an earlier version changed follows that change.
  RepeatKind Repeat() const;
  // What becomes of a missed occurrence. An event told by an earlier version not to notify
  // of missed alarms never had them carried out, so it skips whatever its extras say.
  MissedChoice Missed() const;
  void SetMissed(MissedChoice choice);

  template <std::size_t N>
  static std::string Text(const char (&field)[N]) {
    return FixedText(field);
  }
  template <std::size_t N>
  static void SetText(char (&field)[N], std::string_view value) {
    SetFixedText(field, value);
  }

 private:
  AlarmRecord m_record{};
};

}  // namespace zw

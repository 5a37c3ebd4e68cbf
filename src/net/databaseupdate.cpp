// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/databaseupdate.h"

#include <time.h>

#include <string_view>
#include <utility>

#include "convert/currencyfile.h"
#include "convert/measurefile.h"
#include "locations/locationdb.h"
#include "locations/zonecompanion.h"
#include "locations/zonefilecheck.h"
#include "platform/filelayer.h"
#include "platform/messagesink.h"
#include "settings/clocksettings.h"
#include "timecore/datetime.h"

namespace zw {

namespace {

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
// The data files are small; anything bigger is not one of them.
constexpr std::size_t kMaxDownloadBytes = std::size_t{1} << 20;

std::string TwoDigits(int value) {
  std::string text;
  text += static_cast<char>('0' + value / 10);
  text += static_cast<char>('0' + value % 10);
  return text;
}

bool ReadsAsCurrency(std::span<const std::uint8_t> bytes) {
  CCurrencyFile file;
  file.Parse(bytes);
  return !file.Records().empty();
}

bool ReadsAsMeasurement(std::span<const std::uint8_t> bytes) {
  CMeasureFile file;
  file.Parse(bytes);
  for (const MeasureCategory& category : file.Categories()) {
    for (char system : {CMeasureFile::kMetricKey, CMeasureFile::kUsKey, CMeasureFile::kOtherKey}) {
      if (!file.Units(category.code, system).empty()) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

CDatabaseUpdate::CDatabaseUpdate(CClockSettings& settings, IFileLayer& files,
                                 IMessageSink& messages)
    : m_settings(settings), m_files(files), m_messages(messages) {}

std::int32_t& CDatabaseUpdate::UpdatedAt(Component component) const {
  ClockSettings& fields = m_settings.Values();
  switch (component) {
    case kTimeZone:
      return fields.zoneUpdatedAt;
    case kCurrency:
      return fields.currencyUpdatedAt;
    default:
      return fields.measureUpdatedAt;
  }
}

void CDatabaseUpdate::BeginRun(const Selection& queued) {
  m_queued = queued;
  // A names file left from an earlier run must not go in beside this run's zone file.
  if (queued[kTimeZone]) {
    m_files.Remove(std::string(CZoneCompanion::kUpdateFileName));
  }
  for (std::size_t i = 0; i < kComponentCount; ++i) {
    if (queued[i]) {
      m_downloads[i] = Download::kStarted;
    }
  }
}

void CDatabaseUpdate::EndRun(bool success, std::int64_t utcNow) {
  const Selection queued = std::exchange(m_queued, {});
  m_restartWanted = false;
  m_runFailed = !success;
  if (!success) {
    return;
  }
  for (std::size_t i = 0; i < kComponentCount; ++i) {
    const auto component = static_cast<Component>(i);
    if (!queued[i] || !CheckDownload(component)) {
      continue;
    }
    m_downloads[i] = Download::kComplete;
    UpdatedAt(component) = SaturateSeconds(utcNow);
    if (component == kTimeZone) {
      CheckCompanionDownload();
      m_restartWanted = true;
    }
  }
}

bool CDatabaseUpdate::CheckDownload(Component component) {
  if (component == kTimeZone) {
    return CheckZoneDownload();
  }
  const ReadResult read = m_files.Read(kRows[component].temporary, kMaxDownloadBytes);
  if (read.stage == FileStage::kNone && !read.truncated && ReadsInFormat(component, read.bytes)) {
    return true;
  }
  m_messages.Warn(component == kCurrency ? kCurrencyInvalid : kMeasurementInvalid);
  return false;
}

// The next start checks the file again before it takes it in; this check keeps a bad
// download from being reported as received.
bool CDatabaseUpdate::CheckZoneDownload() {
  const std::string temporary(kRows[kTimeZone].temporary);
  const ReadResult read = m_files.Read(temporary, CZoneFileCheck::kMaxBytes);
  const ReadResult current = m_files.Read(kRows[kTimeZone].installed, CLocationDB::kMaxFileBytes);
  const bool haveCurrent = current.stage == FileStage::kNone && !current.truncated;
  const std::size_t currentLines = haveCurrent ? CZoneFileCheck::CountLines(current.bytes) : 0;
  CZoneFileCheck::Result check{CZoneFileCheck::Verdict::kEmpty};
  if (read.stage == FileStage::kNone) {
    check = CZoneFileCheck::Check(read.bytes, read.truncated, currentLines);
  }
  if (check.Ok()) {
    return true;
  }
  m_messages.Warn(CZoneFileCheck::Message(check, currentLines));
  RemoveZoneDownloads();
  return false;
}

// A damaged names download goes, so the names file in use stays; the zone file still goes in.
void CDatabaseUpdate::CheckCompanionDownload() {
  const std::string temporary(CZoneCompanion::kUpdateFileName);
  if (!m_files.Exists(temporary)) {
    return;
  }
  const ReadResult read = m_files.Read(temporary, kMaxDownloadBytes);
  if (read.stage == FileStage::kNone && !read.truncated && CZoneCompanion::Parse(read.bytes)) {
    return;
  }
  m_messages.Warn(kCompanionInvalid);
  m_files.Remove(temporary);
}

void CDatabaseUpdate::RemoveZoneDownloads() {
  m_files.Remove(kRows[kTimeZone].temporary);
  m_files.Remove(std::string(CZoneCompanion::kUpdateFileName));
}

bool CDatabaseUpdate::ReadsInFormat(Component component, std::span<const std::uint8_t> bytes) {
  switch (component) {
    case kCurrency:
      return ReadsAsCurrency(bytes);
    case kMeasurement:
      return ReadsAsMeasurement(bytes);
    default:
      return true;
  }
}

void CDatabaseUpdate::Finish() {
  // A time zone download that did not complete must not be taken in at the next start.
  if (m_runFailed || m_downloads[kTimeZone] == Download::kStarted) {
    RemoveZoneDownloads();
  }
  if (!m_runFailed) {
    Install(kCurrency);
    Install(kMeasurement);
  }
  m_files.Remove(kRows[kCurrency].temporary);
  m_files.Remove(kRows[kMeasurement].temporary);
}

// Only a download that completed in a successful run and read in its format goes in, and
// it replaces the old file whole or not at all.
void CDatabaseUpdate::Install(Component component) {
  if (m_downloads[component] != Download::kComplete) {
    return;
  }
  const Row& row = kRows[component];
  const ReadResult read = m_files.Read(row.temporary, kMaxDownloadBytes);
  if (read.stage != FileStage::kNone || read.truncated || !ReadsInFormat(component, read.bytes)) {
    return;
  }
  const FileError error = SaveAtomically(m_files, row.installed, read.bytes);
  if (error.Ok()) {
    return;
  }
  std::string text(component == kCurrency ? kCurrencyNotInstalled : kMeasurementNotInstalled);
  text += std::to_string(static_cast<int>(error.cause));
  m_messages.Warn(text);
}

std::string CDatabaseUpdate::LastUpdatedText(Component component) const {
  return LastUpdatedText(
      component, UpdatedAt(component),
      m_settings.Values().hour24 ? CDateTime::kTwentyFourHour : CDateTime::kTwelveHour);
}

std::string CDatabaseUpdate::LastUpdatedText(Component component, std::int32_t updatedAt,
                                             int clockMode) {
  const Row& row = kRows[component];
  if (updatedAt == 0) {
    return row.neverText;
  }
  // The one place where the computer's own time zone counts.
  const time_t when = updatedAt;
  tm local{};
  ::localtime_r(&when, &local);
  CDateTime time(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                 local.tm_sec);
  std::string text(row.updatedText);
  text += kWeekdays[local.tm_wday];
  text += ", ";
  text += kMonths[local.tm_mon];
  text += ' ';
  text += TwoDigits(local.tm_mday);
  text += ", ";
  text += std::to_string(local.tm_year + 1900);
  text += " at ";
  text += time.FormatTime(clockMode, ":", false);
  text += '.';
  return text;
}

}  // namespace zw

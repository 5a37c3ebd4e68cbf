// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include "platform/translatable.h"

namespace zw {

class CClockSettings;
class IFileLayer;
class IMessageSink;

// What the database update decides apart from its window: which downloads a finished run
// leaves, when the files were last updated, and which downloads closing the dialog puts in
// place. The currency and measurement downloads are installed when the dialog closes, the
// time zone download ("TEMPT.DAT") at the next start, together with the zone names download
// ("TEMPT.TZN") when the server had one.
class CDatabaseUpdate {
 public:
  enum Component : std::size_t { kTimeZone = 0, kCurrency = 1, kMeasurement = 2 };
  static constexpr std::size_t kComponentCount = 3;
  using Selection = std::array<bool, kComponentCount>;

  struct Row {
    const char* caption;      // its check box
    const char* remote;       // the file on the server
    const char* temporary;    // the download
    const char* installed;    // the file the download replaces
    const char* label;        // its name in progress lines
    const char* updatedText;  // followed by the date and time of the last update
    const char* neverText;
  };
  static constexpr std::array<Row, kComponentCount> kRows{{
      {ZW_TR_NOOP("Core", "Time Zone and Daylight Savings Time Variations"), "TIME_ZON.DAT",
       "TEMPT.DAT", "TIME_ZON.DAT", "Time Zone", "The TIME ZONE file was last updated on ",
       ZW_TR_NOOP(
           "Core",
           "No updates have been made to the TIME ZONE file.  The original version is currently in "
           "use.")},
      {ZW_TR_NOOP("Core", "Currency Conversion Rates"), "CURRENCY.DAT", "TEMPC.DAT", "CURRENCY.DAT",
       "Currency", "The CURRENCY CONVERSION file was last updated on ",
       ZW_TR_NOOP(
           "Core",
           "No updates have been made to the CURRENCY CONVERSION file.  The original version is "
           "currently in use.")},
      {ZW_TR_NOOP("Core", "Measurement Formulas"), "MEASURE.DAT", "TEMPM.DAT", "MEASURE.DAT",
       "Measurement", "The MEASUREMENT file was last updated on ",
       ZW_TR_NOOP(
           "Core",
           "No updates have been made to the MEASUREMENT file.  The original version is currently "
           "in use.")},
  }};

  // The zone names file beside the time zone file; servers without it are fine.
  static constexpr const char* kCompanionLabel = "Time Zone Names";
  static constexpr const char* kCompanionInvalid = ZW_TR_NOOP(
      "Core", "The downloaded time zone names file is damaged.  The current one stays in use.");
  static constexpr const char* kCurrencyInvalid = ZW_TR_NOOP(
      "Core",
      "The downloaded currency file is not a valid currency rate file.  The current file stays "
      "in use.");
  static constexpr const char* kMeasurementInvalid = ZW_TR_NOOP(
      "Core",
      "The downloaded measurement file is not a valid measurement file.  The current file stays "
      "in use.");
  static constexpr const char* kCurrencyNotInstalled =
      ZW_TR_NOOP("Core", "Cannot install the downloaded currency file.  Return code: ");
  static constexpr const char* kMeasurementNotInstalled =
      ZW_TR_NOOP("Core", "Cannot install the downloaded measurement file.  Return code: ");

  CDatabaseUpdate(CClockSettings& settings, IFileLayer& files, IMessageSink& messages);

  // A run for the `queued` components starts; their earlier downloads no longer count.
  void BeginRun(const Selection& queued);
  // On success the components of the run count as updated at `utcNow`, except a download
  // that does not read in its format (a time zone file must pass CZoneFileCheck): the user
  // is told and it is dropped.
  void EndRun(bool success, std::int64_t utcNow);
  void CancelRun() { m_runFailed = true; }

  bool RestartWanted() const { return m_restartWanted; }
  bool RunFailed() const { return m_runFailed; }

  // Closing the dialog: drops the time zone download of a failed run, installs the currency
  // and measurement downloads of successful ones, and removes their temporary files.
  void Finish();

  // The text under the FTP directory for a component, dated in the computer's own zone.
  std::string LastUpdatedText(Component component) const;
  static std::string LastUpdatedText(Component component, std::int32_t updatedAt, int clockMode);
  // Whether bytes downloaded for the currency or measurement file read in its format.
  static bool ReadsInFormat(Component component, std::span<const std::uint8_t> bytes);

 private:
  enum class Download { kNone, kStarted, kComplete };

  std::int32_t& UpdatedAt(Component component) const;
  bool CheckDownload(Component component);
  bool CheckZoneDownload();
  void CheckCompanionDownload();
  void RemoveZoneDownloads();
  void Install(Component component);

  CClockSettings& m_settings;
  IFileLayer& m_files;
  IMessageSink& m_messages;
  Selection m_queued{};
  std::array<Download, kComponentCount> m_downloads{};
  bool m_restartWanted = false;
  bool m_runFailed = false;
};

}  // namespace zw

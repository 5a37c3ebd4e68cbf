// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "net/databaseupdate.h"
#include "platform/translatable.h"
#include "timecore/systemclock.h"
#include "ui/widgets/appcontext.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace zw {

class CClockSettings;
class CDialogPositions;
class CFtpThread;
class IClockSource;
class IMessageSink;
class ISettingsStore;

// "Update via Internet": downloads fresh time zone, currency and measurement files from the
// FTP directory of the settings through the FTP worker, shows its progress, and on closing
// puts the currency and measurement files in place; the time zone file waits for the next
// start, which the dialog offers.
class CUpdateDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CUpdateDlg", "Update via Internet");
  static constexpr const char* kExplanation = QT_TRANSLATE_NOOP(
      "zw::CUpdateDlg",
      "This process updates Zonewright's databases using information retrieved from the "
      "internet using FTP.  You must have an active internet connection in order to use "
      "this feature.");
  static constexpr const char* kNoComponent =
      ZW_TR_NOOP("Core", "At least one component must be selected for update.");
  static constexpr const char* kNoAddress =
      ZW_TR_NOOP("Core", "No address specified in FTP directory");
  static constexpr const char* kTimeZoneWarning = ZW_TR_NOOP(
      "Core",
      "Updating the time zone database will overwrite changes you may have made to the city or "
      "country/city lists.  Any additions made to the custom list will be preserved.  Continue "
      "with the update?");
  static constexpr const char* kCancelQuestion =
      ZW_TR_NOOP("Core", "Cancel the file transfer in progress?");
  static constexpr const char* kRestartQuestion = ZW_TR_NOOP(
      "Core",
      "Time information updates will take effect when the program is restarted.\r\nRestart "
      "Zonewright now?");
  static constexpr const char* kErrorLine =
      QT_TRANSLATE_NOOP("zw::CUpdateDlg", "An ERROR Occurred.");
  static constexpr const char* kHelpLine =
      QT_TRANSLATE_NOOP("zw::CUpdateDlg", "    - Press F1 for Help.");
  static constexpr const char* kShowDetails =
      QT_TRANSLATE_NOOP("zw::CUpdateDlg", "Show &Details >>");
  static constexpr const char* kHideDetails =
      QT_TRANSLATE_NOOP("zw::CUpdateDlg", "<< Hide &Details");
  // What the settings record holds of the directory, and what a connection uses.
  static constexpr int kDirectoryChars = 60;

  // requestRestart: asks the program to start again once it has ended; may be empty.
  // clock: tells when the files were updated; null: the computer's clock.
  CUpdateDlg(const AppContext& context, std::function<void()> requestRestart,
             const IClockSource* clock = nullptr, QWidget* parent = nullptr);
  ~CUpdateDlg() override;

  // Opens the dialog modally over `parent` (the clock) and returns when it is closed.
  static void Run(const AppContext& context, std::function<void()> requestRestart, QWidget* parent);

  // Cancel, Escape and the window's close button: a transfer in progress is cancelled only
  // when the user confirms.
  void reject() override;
  void done(int result) override;

  // How long one reply or a silent data connection may keep a run waiting.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

  QCheckBox* ComponentBox(CDatabaseUpdate::Component component) const { return m_boxes[component]; }
  QPushButton* RetrieveButton() const { return m_retrieve; }
  QPushButton* DetailsButton() const { return m_detailsButton; }
  QPushButton* ResetButton() const { return m_reset; }
  QLineEdit* DirectoryField() const { return m_directoryField; }
  QListWidget* ProgressList() const { return m_progress; }
  QLabel* UpdatedLabel(CDatabaseUpdate::Component component) const {
    return m_updatedLabels[component];
  }
  bool DetailsShown() const { return m_detailsShown; }
  bool TransferInProgress() const { return m_transferInProgress; }
  bool WorkerRunning() const;

 private:
  void Build();
  QWidget* BuildDetails();
  void Place();
  void OnRetrieve();
  void ConnectWorker();
  void OnReady();
  void OnStatus(int kind, const std::string& text);
  void OnDone(bool success);
  void ShowDetails(bool show);
  void RefreshUpdatedTexts();
  void SetControlsEnabled(bool enabled);
  void StopWorker();
  CDatabaseUpdate::Selection Checked() const;

  CClockSettings& m_settings;
  ISettingsStore& m_store;
  IMessageSink& m_messages;
  CDialogPositions& m_positions;
  std::function<void()> m_requestRestart;
  CSystemClock m_systemClock;
  const IClockSource& m_clock;
  CDatabaseUpdate m_update;
  std::chrono::milliseconds m_timeout;
  std::unique_ptr<CFtpThread> m_worker;
  // Counts the workers stopped, so reports still queued from one of them are told apart.
  int m_run = 0;
  std::string m_directory;
  bool m_transferInProgress = false;
  bool m_detailsShown = false;
  bool m_finished = false;

  std::array<QCheckBox*, CDatabaseUpdate::kComponentCount> m_boxes{};
  QPushButton* m_retrieve = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_detailsButton = nullptr;
  QListWidget* m_progress = nullptr;
  QWidget* m_details = nullptr;
  QLineEdit* m_directoryField = nullptr;
  QPushButton* m_reset = nullptr;
  std::array<QLabel*, CDatabaseUpdate::kComponentCount> m_updatedLabels{};
};

}  // namespace zw

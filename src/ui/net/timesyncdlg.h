// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/translatable.h"
#include "ui/widgets/appcontext.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zw {

class CDialogPositions;
class IClockSource;
class ISystemClockSetter;

// "Synchronize Time": each press of "Synchronize Now" starts a worker that asks the time
// server and sets the computer's clock when it is off, itself or through the system's date
// and time service; the worker's reports grow the text in
// the middle. Closing the dialog makes running workers drop their reports and leave the clock
// alone, and waits for them.
class CTimeSyncDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = QT_TRANSLATE_NOOP("zw::CTimeSyncDlg", "Synchronize Time");
  static constexpr const char* kExplanation = QT_TRANSLATE_NOOP(
      "zw::CTimeSyncDlg",
      "Use this panel to synchronize your computer's time with the time provided by a U.S. "
      "government Internet server.");
  static constexpr const char* kSynchronizeText =
      QT_TRANSLATE_NOOP("zw::CTimeSyncDlg", "&Synchronize Now");
  static constexpr const char* kConnecting = ZW_TR_NOOP("Core", "Connecting to time server...\r\n");

  // clock: the computer's clock, read in UTC; setter: sets it. server: host[:port].
  CTimeSyncDlg(const AppContext& context, const IClockSource& clock, ISystemClockSetter& setter,
               std::string server, QWidget* parent = nullptr);
  ~CTimeSyncDlg() override;

  // Opens the dialog modally over `parent` (the clock) with the computer's clock and the
  // server of CTimeSync::ServerFromEnvironment (the desktop choices' one when none is in the
  // environment), and returns when it is closed.
  static void Run(const AppContext& context, QWidget* parent);

  void done(int result) override;

  // Keeps the server `typed` in the field for next time, when it names a server and is not the
  // one `asked`, unless the environment chose the server; false when nothing was kept.
  static bool Remember(const std::string& typed, const std::string& asked);

  // The text above the report, naming the server asked (host[:port]).
  static QString Explanation(const std::string& server);

  // How long the connect, and then the reply, may take.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

  const std::string& ReportText() const { return m_report; }
  QLabel* ReportField() const { return m_reportField; }
  QPushButton* SynchronizeButton() const { return m_synchronize; }
  // The server asked: "ntp:host[:port]", "daytime:host[:port]" or a bare Daytime host.
  QLineEdit* ServerField() const { return m_serverField; }

 signals:
  // A worker's report, emitted on its thread and taken in on the dialog's.
  void reportArrived(const std::string& text);

 private:
  class Link;

  void OnSynchronize();
  void AppendReport(const std::string& text);
  void ShowReport();

  const IClockSource& m_clock;
  ISystemClockSetter& m_setter;
  std::string m_server;
  CDialogPositions& m_positions;
  std::chrono::milliseconds m_timeout;
  std::string m_report;
  // The report as shown: each of the core's lines in the user's language.
  QString m_shownReport;
  QLabel* m_reportField = nullptr;
  QPushButton* m_synchronize = nullptr;
  QLineEdit* m_serverField = nullptr;
  std::unique_ptr<Link> m_link;
  std::vector<std::jthread> m_workers;
};

}  // namespace zw

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/ftpdirectory.h"
#include "net/sockettarget.h"
#include "platform/translatable.h"

namespace zw {

class IFtpHost;
class IMessageSink;
class ISocketEvents;
class CTcpSocket;

// The FTP worker's message target, never shown: fetches the queued files of one FTP
// directory into local files, logging on with the fixed user, then for each file sending
// TYPE I, opening the data connection and sending RETR. The data connection is passive
// (EPSV, else PASV: the client connects, which works behind NAT and on IPv6); only a server
// that refuses both gets an active one (EPRT or PORT, the server connects back). It owns the
// control, listening and data sockets and the open local file, and reports to the dialog
// through its host. A negative reply, a lost control connection or a data connection that
// stays silent for the timeout ends the run with one error line in plain words, never a box.
class CFtpSession final : public ISocketTarget {
 public:
  static constexpr std::string_view kUser = "znwright";
  static constexpr std::string_view kPassword = "mqvorb";
  static constexpr std::chrono::milliseconds kDefaultTimeout{60000};
  // Far beyond any data file; a download that grows past it is no data file.
  static constexpr std::int64_t kDefaultMaxFileBytes = std::int64_t{16} << 20;

  static constexpr const char* kConnecting = "Connecting To Host";
  static constexpr const char* kLoggingOn = ZW_TR_NOOP("Core", "Logging On...");
  static constexpr const char* kLogonComplete = "Logon Complete";
  static constexpr const char* kReceivingPrefix = "Receiving ";
  static constexpr const char* kReceivingSuffix = " File";
  static constexpr const char* kBytesPrefix = "Bytes Transferred: ";
  static constexpr const char* kTransferComplete = "Transfer Complete";
  static constexpr const char* kEndedSuccessfully = "Processing Ended Successfully";
  static constexpr const char* kUnableToContact = ZW_TR_NOOP("Core", "Unable to contact FTP host.");
  static constexpr const char* kConnectionRefused =
      ZW_TR_NOOP("Core", "Unable to contact FTP host: it refused the connection.");
  static constexpr const char* kHostClosed =
      ZW_TR_NOOP("Core", "The FTP host closed the connection.");
  static constexpr const char* kLineTooLong =
      ZW_TR_NOOP("Core", "The FTP host sent a line too long.");
  static constexpr const char* kConnectionFailed = "The connection to the FTP host failed: ";
  static constexpr const char* kHostSaid = " failed. The FTP host said: ";
  static constexpr const char* kNotOnHost =
      ZW_TR_NOOP("Core", "Not on the FTP host; the update goes on without it.");
  static constexpr const char* kUnableToOpenFile =
      ZW_TR_NOOP("Core", "Unable to Open Tempoary File.");
  static constexpr const char* kUnableToWriteFile =
      ZW_TR_NOOP("Core", "Unable to write the temporary file.");
  static constexpr const char* kNoReply = ZW_TR_NOOP("Core", "No reply from FTP host.");
  static constexpr const char* kNoDataConnection =
      ZW_TR_NOOP("Core", "Unable to open a data connection.");
  static constexpr const char* kDataTimedOut =
      ZW_TR_NOOP("Core", "Timed out waiting for data from FTP host.");
  static constexpr const char* kFileTooLarge =
      ZW_TR_NOOP("Core", "The file from the FTP host is too large.");

  CFtpSession(ISocketEvents& events, IMessageSink& messages, IFtpHost& host);
  ~CFtpSession() override;
  CFtpSession(const CFtpSession&) = delete;
  CFtpSession& operator=(const CFtpSession&) = delete;

  // The dialog's messages: the file lists, then the directory to fetch them from.
  void Clear();
  void AddRemote(std::string name);
  void AddLocal(std::string name);
  void AddLabel(std::string name);
  // A queued remote file the server may lack: its absence skips it instead of ending the run.
  void AddOptional(std::string remote);
  void Connect(std::string_view directory);

  // How long one whole reply, however many lines it has, or the data connection between two
  // signs of life, may keep the run waiting.
  void SetTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
  // The most one downloaded file may hold; beyond it the run ends with kFileTooLarge.
  void SetMaxFileBytes(std::int64_t bytes) { m_maxFileBytes = bytes; }

  void OnSocketNotify(unsigned message, SocketNotice notice) override;

 private:
  void OnControl(int code);
  void OnListen(SocketNotice notice);
  void OnData(const SocketNotice& notice);
  void Logon();
  void NextFile();
  enum class Passive { kPort, kRefused, kEnded };
  Passive RequestPassivePort(std::uint16_t& port);
  bool OpenDataConnection();
  bool ConnectToPassivePort(std::uint16_t port);
  bool OpenActiveConnection();
  std::string ContactFailure() const;
  std::string ControlFailure() const;
  void ReceiveBytes(std::span<const char> bytes);
  void FinishFile();
  bool IsOptional(const std::string& remote) const;
  void SkipFile();
  void DropFront();
  void FinishRun();
  bool Command(std::string_view verb, std::string_view argument);
  // The reply to one command, negative or not; false when the run has ended.
  bool Ask(std::string_view verb, std::string_view argument, std::string& reply);
  void Send(std::string_view verb, std::string_view argument);
  bool Converse();
  bool Await(std::string& reply);
  std::string ReadReply();
  void Status(int kind, const std::string& text);
  void Fail(const std::string& text);
  // Ends the run with `failure` unless something happens within the timeout.
  void StartTimer(const char* failure);
  void StopTimer();

  ISocketEvents& m_events;
  IMessageSink& m_messages;
  IFtpHost& m_host;
  // Entry 0 of the three lists is the file in progress.
  std::vector<std::string> m_remote;
  std::vector<std::string> m_local;
  std::vector<std::string> m_labels;
  std::vector<std::string> m_optional;
  std::unique_ptr<std::ofstream> m_file;
  std::unique_ptr<CTcpSocket> m_control;
  std::unique_ptr<CTcpSocket> m_listening;
  std::unique_ptr<CTcpSocket> m_data;
  std::int64_t m_bytes = 0;
  std::string m_progress;
  // What the run is doing, for the line that tells what failed.
  std::string m_step;
  // Cleared for the rest of the run once the server refuses both passive modes.
  bool m_passive = true;
  bool m_dataOpen = false;
  CFtpDirectory m_directory{""};
  std::chrono::milliseconds m_timeout = kDefaultTimeout;
  std::int64_t m_maxFileBytes = kDefaultMaxFileBytes;
  int m_timer = 0;
  // While a reply is awaited the thread's other events still run; what they would end is
  // held back until the reply is in, so no socket goes while it is being read.
  int m_awaitingReply = 0;
  bool m_dataClosed = false;
  std::string m_heldFailure;
};

}  // namespace zw
